#include "sound/CuePaths.h"

#include "state/ApplicationInfo.h"
#include "state/ModalRunner.h"

#include <QMessageBox>

namespace velmora {

namespace {

QString PathInDirectory(const QString& directory, const QString& fileName, ModalRunner& modal) {
    if (directory.isEmpty()) {
        QMessageBox box(QMessageBox::Critical, ApplicationTitle(),
                        QStringLiteral("Application path undefined!"), QMessageBox::Ok);
        modal.Run(box);
        return QString();
    }
    const QChar separator = u'/';
    return directory.endsWith(separator) ? directory + fileName : directory + separator + fileName;
}

} // namespace

QString ChangePlayerWavePath(const QString& programDirectory, ModalRunner& modal) {
    return PathInDirectory(programDirectory, QStringLiteral("ChangePlayer.wav"), modal);
}

QString GameOverWavePath(const QString& programDirectory, ModalRunner& modal) {
    return PathInDirectory(programDirectory, QStringLiteral("GameOver.wav"), modal);
}

} // namespace velmora
