#include "state/PlatformStart.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace velmora {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    // The only fatal error while QApplication is made: no platform could start.
    if (type == QtFatalMsg) {
        std::fputs("Velmora needs a graphical desktop, but no display could be opened.\n", stderr);
        std::_Exit(1);
    }
    held.push_back({type, context.category, text});
}

} // namespace

void HoldMessagesWhilePlatformStarts() {
    previousHandler = qInstallMessageHandler(Hold);
}

void PlatformStarted() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
}

} // namespace velmora
