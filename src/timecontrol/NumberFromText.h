#pragma once

#include <QStringView>

#include <cstdint>

namespace velmora {

// Reads the number at the start of a text and rounds it to a whole number,
// halves to the even neighbour. Blanks, tabs and line feeds are ignored
// anywhere; an optional sign comes first; then decimal digits with an optional
// fraction and an exponent (E or D), or &H / &O with a hexadecimal or octal
// number. Reading stops at the first character that cannot continue the number.
// No number, or one outside the signed 32-bit range, gives 0.
std::int32_t NumberFromText(QStringView text);

} // namespace velmora
