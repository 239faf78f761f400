#pragma once

#include <QString>

namespace velmora {

class Messages;

// Full paths of the cue files in the program's directory. When that
// directory is unknown (empty), the user is told "Application path
// undefined!" and the path is empty.
QString ChangePlayerWavePath(const QString& programDirectory, Messages& messages);
QString GameOverWavePath(const QString& programDirectory, Messages& messages);
QString LowTimeWavePath(const QString& programDirectory, Messages& messages);

} // namespace velmora
