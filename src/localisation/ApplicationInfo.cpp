#include "localisation/ApplicationInfo.h"

namespace velmora {

QString ApplicationVersion() {
    return QStringLiteral(VELMORA_VERSION);
}

} // namespace velmora
