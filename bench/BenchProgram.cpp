#include "BenchProgram.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>

namespace velmora::bench {

BenchProgram::BenchProgram(int hours) {
    const QString path = dir_.filePath(QStringLiteral("Velmora.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral("[General]\nLanguage=1\nMouseButton1=32\nMouseButton2=32\n"
                                  "[Sounds]\nPlayerChange=0\nGameOver=0\n"
                                  "[Time]\nP1h=%1\nP2h=%1\n")
                       .arg(hours)
                       .toUtf8());
        file.close();
    }
    store_ = std::make_unique<SettingsStore>(path);
    program_ = std::make_unique<Program>(*store_, modal_, cues_, desktop_);
    window_ = std::make_unique<UhrAnzeige>(*program_);
    window_->Form_Load();
    window_->show();
}

void BenchProgram::PressSpace() {
    constexpr quint32 kXKeycodeSpace = 65;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, kXKeycodeSpace, 0, 0,
                    QStringLiteral(" "));
    QApplication::sendEvent(window_.get(), &press);
}

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

int OpenDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::NoDotAndDotDot | QDir::AllEntries)
                   .size());
}

} // namespace velmora::bench
