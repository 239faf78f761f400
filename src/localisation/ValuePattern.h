#pragma once

#include <QString>

namespace velmora::InternationalStrings {

// Formats a number with a digit pattern such as "0.00", "#,##0" or "000 s":
// "0" is a digit always shown, "#" a digit shown only when significant, "." the
// decimal point and "," in the whole part groups thousands. Characters before the
// first and after the last placeholder are copied as they stand. Halves round away
// from zero. A pattern without placeholders comes back unchanged.
QString FormatNumber(double value, const QString& pattern);

} // namespace velmora::InternationalStrings
