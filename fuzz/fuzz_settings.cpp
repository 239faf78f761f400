// Start-up from an arbitrary settings file: the general and time settings are
// loaded, every dialog the start-up shows is confirmed, and the clock runs a
// few ticks and hand-overs on whatever accounts that gave.
#include "about/DesktopLauncher.h"
#include "clock/UhrAnzeige.h"
#include "sound/SoundCues.h"
#include "state/ModalRunner.h"
#include "state/Program.h"
#include "state/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

using namespace velmora;

// Confirms each dialog at once, as a user pressing its OK button would.
class ConfirmingRunner final : public ModalRunner {
public:
    int Run(QDialog& dialog) override {
        if (auto* okay = dialog.findChild<QAbstractButton*>(QStringLiteral("ButtonOkay")))
            okay->click();
        else
            dialog.accept();
        return dialog.result();
    }
};

class NoCues final : public SoundCues {
public:
    void Play(Cue) noexcept override {}
};

class NoDesktop final : public DesktopLauncher {
public:
    bool OpenUrl(const QUrl&) override { return false; }
    QString FindProgram(const QStringList&) override { return {}; }
    bool StartDetached(const QString&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Velmora.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    SettingsStore store(path);
    ConfirmingRunner modal;
    NoCues cues;
    NoDesktop desktop;
    Program program(store, modal, cues, desktop);
    UhrAnzeige window(program);
    window.Form_Load();

    const Variables& vars = program.vars;
    window.Form_KeyDown(vars.KeyBlack);
    for (int tick = 0; tick < 50; ++tick) {
        window.Engine().TimerClock_Timer();
        if (tick % 7 == 0)
            window.Form_KeyDown(vars.CurrentPlayer == White ? vars.KeyWhite : vars.KeyBlack);
    }
    window.ShowTimes();
    return 0;
}
