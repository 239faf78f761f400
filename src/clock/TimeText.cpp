#include "clock/TimeText.h"

#include <cstdlib>

namespace velmora {

namespace {

QString TwoDigits(std::int32_t value) {
    // Through 64 bits so that the most negative value has a magnitude.
    const long long magnitude = std::llabs(static_cast<long long>(value));
    const QString digits = QString::number(magnitude).rightJustified(2, u'0');
    return value < 0 ? u'-' + digits : digits;
}

} // namespace

QString TimeText(const TimeAccount& account) {
    return TwoDigits(account.Hours) + u':' + TwoDigits(account.Minutes) + u':' +
           TwoDigits(account.Seconds);
}

} // namespace velmora
