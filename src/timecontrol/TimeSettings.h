#pragma once

#include "state/Variables.h"

#include <cstdint>

namespace velmora {

class SettingsStore;

// The time control last accepted, as kept in section "Time" of the store.
struct TimeSettings {
    std::int32_t WhiteHours = 0;
    std::int32_t WhiteMinutes = 0;
    std::int32_t WhiteSeconds = 0;
    std::int32_t BlackHours = 0;
    std::int32_t BlackMinutes = 0;
    std::int32_t BlackSeconds = 0;
    std::int32_t GameType = 0;
    std::int32_t ContinueRunning = 0;
    // Kept only while one is on ("IncrementMode" 1..3, "IncrementSeconds" 1..600).
    TimeBonus Bonus;

    // A game needs a time for each player: hours, minutes and seconds not all zero.
    bool HasTimeForBoth() const {
        return (WhiteHours || WhiteMinutes || WhiteSeconds) &&
               (BlackHours || BlackMinutes || BlackSeconds);
    }

    friend bool operator==(const TimeSettings&, const TimeSettings&) = default;
};

// Reads the eight keys and the time bonus; a missing or unreadable value reads
// as 0, a bonus out of range as none.
TimeSettings LoadTimeSettings(const SettingsStore& store);

// Writes all eight keys as plain decimal text, and the bonus keys while a bonus
// is on (removing them otherwise), and flushes the store.
void SaveTimeSettings(SettingsStore& store, const TimeSettings& settings);

} // namespace velmora
