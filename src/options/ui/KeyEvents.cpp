#include "options/ui/KeyEvents.h"

#include "options/KeyCodes.h"

#include <QKeyEvent>

namespace velmora {

std::int32_t KeyCodeOf(const QKeyEvent& event) {
    return KeyCodeFromNative(event.nativeScanCode(), event.key(), event.modifiers());
}

} // namespace velmora
