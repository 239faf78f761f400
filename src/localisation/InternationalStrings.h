#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <cstdint>

namespace velmora::InternationalStrings {

// Error numbers raised by printf (the first two application-defined codes).
constexpr std::int32_t ErrorMissingBracket = -2147221503; // 0x80040001
constexpr std::int32_t ErrorMissingValue = -2147221502;   // 0x80040002

// Fills the bracket placeholders of `format` with `arguments`:
//   [*]      the next argument as text
//   [n:body] argument n (1..9) without moving the sequence of the others
//   []       skips one argument
//   [(]  \[  a literal "["        [\]  \\  a literal backslash
//   [0.00]   the next argument formatted with a value pattern (see FormatWithPattern)
// and turns the escapes \t, \r and \n into control characters.
// Raises ProgramError (source "printf") for a "[" without "]" and for a missing argument.
QString printf(QString format, const QVariantList& arguments = {});

// Replaces every occurrence of `find` (never empty) in `text`, left to right.
QString ReplaceAll(QString text, const QString& find, const QString& replacement);

// The standard conversion of a value to text: whole numbers in decimal without
// blanks, booleans as True/False, decimal numbers with up to 15 significant digits.
QString ValueText(const QVariant& value);

// Formats a value with a small pattern language. For numbers: "0" a digit that is
// always shown, "#" a digit shown only when significant, "." the decimal point,
// "," (in the whole part) groups thousands; other characters before the first or
// after the last digit placeholder are copied. Dates and times use Qt's date
// format patterns. Other values come back as their plain text.
QString FormatWithPattern(const QVariant& value, const QString& pattern);

} // namespace velmora::InternationalStrings
