#pragma once

#include <QString>

namespace velmora {

// The program's title: window captions, message boxes, the settings store's name.
inline QString ApplicationTitle() {
    return QStringLiteral("Velmora");
}

// The version of this build, e.g. "1.0.0" (set by the build system).
QString ApplicationVersion();

} // namespace velmora
