#pragma once

#include <cstdint>

class QKeyEvent;

namespace velmora {

// The key code of a live key press (see KeyCodeFromNative).
std::int32_t KeyCodeOf(const QKeyEvent& event);

} // namespace velmora
