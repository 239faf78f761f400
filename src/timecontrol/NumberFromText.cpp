#include "timecontrol/NumberFromText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace velmora {

namespace {

// The text without the characters the reading ignores, as ASCII (anything
// else cannot be part of a number and becomes a stop character).
std::string SignificantCharacters(QStringView text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        out.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x01');
    }
    return out;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c, int radix) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < radix ? v : -1;
}

// The whole number in the given radix that starts at `pos` (0 when there are no digits).
double ReadRadix(const std::string& s, std::size_t pos, int radix) {
    double value = 0;
    for (; pos < s.size(); ++pos) {
        const int digit = DigitValue(s[pos], radix);
        if (digit < 0)
            break;
        value = value * radix + digit;
    }
    return value;
}

double ReadDecimal(const std::string& s, std::size_t pos) {
    std::string number;
    bool anyDigit = false;
    while (pos < s.size() && IsDigit(s[pos])) {
        number.push_back(s[pos++]);
        anyDigit = true;
    }
    if (pos < s.size() && s[pos] == '.') {
        number.push_back(s[pos++]);
        while (pos < s.size() && IsDigit(s[pos])) {
            number.push_back(s[pos++]);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E' || s[pos] == 'd' || s[pos] == 'D')) {
        std::size_t p = pos + 1;
        std::string exponent = "e";
        if (p < s.size() && (s[p] == '+' || s[p] == '-'))
            exponent.push_back(s[p++]);
        bool exponentDigits = false;
        while (p < s.size() && IsDigit(s[p])) {
            exponent.push_back(s[p++]);
            exponentDigits = true;
        }
        if (exponentDigits)
            number += exponent;
    }
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large to hold counts as out of range, too small as zero.
        const bool hugeExponent = number.find("e-") == std::string::npos;
        return hugeExponent ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}

} // namespace

std::int32_t NumberFromText(QStringView text) {
    const std::string s = SignificantCharacters(text);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        negative = s[pos++] == '-';

    double value = 0;
    if (pos + 1 < s.size() && s[pos] == '&' && (s[pos + 1] == 'h' || s[pos + 1] == 'H'))
        value = ReadRadix(s, pos + 2, 16);
    else if (pos + 1 < s.size() && s[pos] == '&' && (s[pos + 1] == 'o' || s[pos + 1] == 'O'))
        value = ReadRadix(s, pos + 2, 8);
    else
        value = ReadDecimal(s, pos);
    if (negative)
        value = -value;

    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (!(rounded >= double(std::numeric_limits<std::int32_t>::min()) &&
          rounded <= double(std::numeric_limits<std::int32_t>::max())))
        return 0;
    return std::int32_t(rounded);
}

} // namespace velmora
