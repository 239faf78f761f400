#pragma once

#include <Qt>

#include <cstdint>

namespace velmora {

// Live key and mouse presses as the program's key codes (the Windows
// virtual-key numbers that the settings store and the key names use), from
// what the platform reports of a key press: its native scan code (the X
// keycode, evdev code + 8; 0 when unknown), Qt's key and the modifiers.
// Shift, Ctrl, Alt and Caps Lock do not change a key's code: letters come from
// the layout's letter (A-Z 65-90), other keys from their physical position in
// US terms, and the keypad follows NumLock. 0 means the key has no code.
std::int32_t KeyCodeFromNative(std::uint32_t scanCode, int key, Qt::KeyboardModifiers modifiers);

// 1 left, 2 right, 4 middle; 0 for any other button.
std::int32_t KeyCodeOfMouseButton(Qt::MouseButton button);

} // namespace velmora
