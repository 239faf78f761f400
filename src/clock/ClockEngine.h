#pragma once

#include "state/Variables.h"

#include <QString>

#include <cstdint>

namespace velmora {

class ClockHost;
class SettingsStore;

// True when all four fields are zero or below.
bool IsAccountOver(const TimeAccount& account);

// Takes `milliseconds` off the account, borrowing from the larger fields as
// needed. An account whose hours would leave the 32-bit range (only a
// hand-edited store gives such values) ends up at zero, that is over.
void ChargeAccount(TimeAccount& account, std::int32_t milliseconds);

// The game clock: turns ticks into running time and key presses into
// hand-overs, ends the game when the running account is over, starts new games.
class ClockEngine {
public:
    ClockEngine(Variables& variables, SettingsStore& store, ClockHost& host);

    // One tick of the 100 ms timer.
    void TimerClock_Timer();
    // A player's press (forced false) or a hand-over after a time-over (forced true).
    void SwitchPlayer(std::int32_t keyCode, bool forced, const QString& message);
    void NewGame();

    bool IsTimeOver(std::uint8_t player) const;
    bool IsHandOverDue(std::uint8_t player) const;

private:
    QString TimeOverMessage(std::uint8_t player) const;

    Variables& vars_;
    SettingsStore& store_;
    ClockHost& host_;
};

} // namespace velmora
