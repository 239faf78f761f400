#pragma once

#include <QString>

#include <cstdint>

namespace velmora {

// The display name of a key code: German for language 2, English for any other
// language. Named keys (Space, F1, Numpad - 5, the mouse buttons, ...) have
// their name; every other code from 0 to 255 is the one Windows-1252 character
// with that number; codes outside 0..255 show as their decimal number.
QString KeyName(std::int32_t code, std::int32_t language);

} // namespace velmora
