#pragma once

#include <QString>

#include <cstdint>

namespace velmora {

// Texts of what the string table does not hold: the time bonus, the pause, the
// view menu, the low-time warning and the names screen readers read. German
// for language 2, English for any other.
enum class Extra {
    Pause,
    Continue,
    Paused,
    TimeBonus,
    BonusNone,
    BonusIncrement,
    BonusBronstein,
    BonusDelay,
    Seconds,
    ShownIncrement, // the bonus in the main window; [*] is the seconds
    ShownBronstein,
    ShownDelay,
    View,
    FullScreen,
    FitToWindow,
    LowTimeWarning,
    LowTimeSeconds,
    LowTimeSound,
    Help,
    WhitesTime, // a time label's name; [*] is the time
    BlacksTime,
    Running,
    Waiting,
    WhitesKey, // a key label's name; [*] is the key's name
    BlacksKey,
    PlayerKey, // a key box's name; [*] is the player's number
    WhiteHours,
    WhiteMinutes,
    WhiteSeconds,
    BlackHours,
    BlackMinutes,
    BlackSeconds,
};

QString ExtraText(Extra text, std::int32_t language);

// The text with its "[*]" replaced by `value`.
QString ExtraText(Extra text, std::int32_t language, const QString& value);

} // namespace velmora
