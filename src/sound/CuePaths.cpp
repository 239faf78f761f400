#include "sound/CuePaths.h"

#include "state/Messages.h"

namespace velmora {

namespace {

QString PathInDirectory(const QString& directory, const QString& fileName, Messages& messages) {
    if (directory.isEmpty()) {
        messages.Show(MessageIcon::Critical, QStringLiteral("Application path undefined!"));
        return QString();
    }
    const QChar separator = u'/';
    return directory.endsWith(separator) ? directory + fileName : directory + separator + fileName;
}

} // namespace

QString ChangePlayerWavePath(const QString& programDirectory, Messages& messages) {
    return PathInDirectory(programDirectory, QStringLiteral("ChangePlayer.wav"), messages);
}

QString GameOverWavePath(const QString& programDirectory, Messages& messages) {
    return PathInDirectory(programDirectory, QStringLiteral("GameOver.wav"), messages);
}

QString LowTimeWavePath(const QString& programDirectory, Messages& messages) {
    return PathInDirectory(programDirectory, QStringLiteral("LowTime.wav"), messages);
}

} // namespace velmora
