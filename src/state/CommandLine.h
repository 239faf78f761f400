#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora {

// What `velmora --help` or `velmora --version` prints; nothing when the window
// is to start. Any other argument is ignored, as are Qt's own (-platform,
// -session ...), which QApplication takes.
std::optional<QString> CommandLineAnswer(const QStringList& arguments);

} // namespace velmora
