// Start-up from an arbitrary settings file: the general and time settings are
// loaded, every dialog the start-up shows is confirmed, and the clock runs a
// few ticks and hand-overs on whatever accounts that gave.
#include "UiFakes.h"

#include "clock/ui/UhrAnzeige.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>

#include <cstddef>
#include <cstdint>

using namespace velmora;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::TestUi ui;
    ui.WriteSettingsFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    // Every dialog the start-up shows is confirmed, as a user pressing its OK button would.
    ui.modal.AnswerEveryOther([](QDialog& dialog) {
        if (auto* okay = dialog.findChild<QAbstractButton*>(QStringLiteral("ButtonOkay")))
            okay->click();
        else
            dialog.accept();
    });
    UhrAnzeige window(*ui.program, ui.services);
    window.Form_Load();

    const Variables& vars = ui.vars();
    window.Form_KeyDown(vars.KeyBlack);
    for (int tick = 0; tick < 50; ++tick) {
        window.Engine().TimerClock_Timer();
        if (tick % 7 == 0)
            window.Form_KeyDown(vars.CurrentPlayer == White ? vars.KeyWhite : vars.KeyBlack);
    }
    window.ShowTimes();
    return 0;
}
