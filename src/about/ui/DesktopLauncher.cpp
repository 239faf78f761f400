#include "about/ui/DesktopLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace velmora {

bool SystemDesktopLauncher::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QString SystemDesktopLauncher::FindProgram(const QStringList& names) {
    for (const QString& name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool SystemDesktopLauncher::StartDetached(const QString& program) {
    return QProcess::startDetached(program, {});
}

} // namespace velmora
