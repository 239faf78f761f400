#include "BenchProgram.h"

#include <QApplication>

namespace velmora::bench {

BenchProgram::BenchProgram(int hours, SoundCues* cues) {
    ui_.WriteSettingsFile(QStringLiteral("[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n"
                                         "[Sounds]\nPlayerChange=%2\nGameOver=0\n"
                                         "[Time]\nP1h=%1\nP2h=%1\n")
                              .arg(hours)
                              .arg(cues ? 1 : 0)
                              .toUtf8());
    if (cues)
        soundProgram_ = std::make_unique<Program>(*ui_.store, *cues, ui_.messages);
    window_ =
        std::make_unique<UhrAnzeige>(soundProgram_ ? *soundProgram_ : *ui_.program, ui_.services);
    window_->Form_Load();
    window_->show();
}

void BenchProgram::PressSpace() {
    constexpr quint32 kXKeycodeSpace = 65;
    auto press = test::NativeKeyPress(Qt::Key_Space, Qt::NoModifier, kXKeycodeSpace, u" "_qs);
    QApplication::sendEvent(window_.get(), press.get());
}

} // namespace velmora::bench
