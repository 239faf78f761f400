#include "localisation/ValuePattern.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velmora::InternationalStrings {

namespace {

// A double carries about 15 significant digits; fraction digits beyond them
// are padded with zeros rather than showing binary noise.
constexpr int kSignificantDigits = 15;

bool IsPlaceholder(QChar c) {
    return c == u'0' || c == u'#';
}

QString GroupThousands(const QString& digits) {
    QString grouped;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += u',';
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

QString FormatNumber(double value, const QString& pattern) {
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (IsPlaceholder(pattern[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return pattern;

    // The number part runs from the first to the last placeholder; a point right
    // after it ("0.") still belongs to it.
    qsizetype end = last + 1;
    if (end < pattern.size() && pattern[end] == u'.')
        ++end;
    const QString prefix = pattern.left(first);
    const QString suffix = pattern.mid(end);
    const QString body = pattern.mid(first, end - first);

    const qsizetype point = body.indexOf(u'.');
    const QString wholePattern = point < 0 ? body : body.left(point);
    const QString fractionPattern = point < 0 ? QString() : body.mid(point + 1);

    const auto countOf = [](const QString& s, QChar c) { return int(s.count(c)); };
    const int minWholeDigits = countOf(wholePattern, u'0');
    const bool grouping = wholePattern.contains(u',');
    const int fractionDigits = countOf(fractionPattern, u'0') + countOf(fractionPattern, u'#');
    // Fraction digits up to the last "0" are always shown; those after it only when not zero.
    const qsizetype lastZero = fractionPattern.lastIndexOf(u'0');
    const QString requiredFraction = fractionPattern.left(lastZero + 1);
    const int minFractionDigits = countOf(requiredFraction, u'0') + countOf(requiredFraction, u'#');

    if (!std::isfinite(value))
        return prefix + QString::number(value) + suffix;

    const bool negative = std::signbit(value) && value != 0.0;
    // Round half away from zero at the chosen number of decimals.
    QByteArray buffer(512, '\0');
    const double magnitude = std::fabs(value);
    const int wholeDigits = magnitude >= 1 ? int(std::floor(std::log10(magnitude))) + 1 : 0;
    const int computedDecimals = std::clamp(kSignificantDigits - wholeDigits, 0, fractionDigits);
    const double scale = std::pow(10.0, computedDecimals);
    double rounded = std::round(magnitude * scale) / scale;
    if (!std::isfinite(rounded))
        rounded = magnitude;
    int written =
        std::snprintf(buffer.data(), size_t(buffer.size()), "%.*f", computedDecimals, rounded);
    if (written >= buffer.size()) {
        buffer.resize(written + 1);
        written =
            std::snprintf(buffer.data(), size_t(buffer.size()), "%.*f", computedDecimals, rounded);
    }
    const QString plain = QString::fromLatin1(buffer.constData(), written);
    const qsizetype dot = plain.indexOf(u'.');
    QString whole = dot < 0 ? plain : plain.left(dot);
    QString fraction = dot < 0 ? QString() : plain.mid(dot + 1);
    fraction += QString(fractionDigits - computedDecimals, u'0');

    while (fraction.size() > minFractionDigits && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (whole == u"0" && minWholeDigits == 0)
        whole.clear();
    if (whole.size() < minWholeDigits)
        whole = QString(minWholeDigits - whole.size(), u'0') + whole;
    if (grouping)
        whole = GroupThousands(whole);

    QString number = whole;
    if (point >= 0 && (!fraction.isEmpty() || body.endsWith(u'.')))
        number += u'.' + fraction;
    const bool allZero = std::none_of(number.cbegin(), number.cend(),
                                      [](QChar c) { return c >= u'1' && c <= u'9'; });
    return prefix + (negative && !allZero ? QStringLiteral("-") : QString()) + number + suffix;
}

} // namespace velmora::InternationalStrings
