#pragma once

#include "sound/SoundCues.h"
#include "state/Variables.h"

#include <QString>

#include <cstdint>

namespace velmora {

class ClockHost;
struct Program;

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
    ClockEngine(Program& program, ClockHost& host);

    // One tick of the 100 ms timer.
    void TimerClock_Timer();
    // A player's press (forced false) or a hand-over after a time-over (forced true).
    void SwitchPlayer(std::int32_t keyCode, bool forced, const QString& message);
    void NewGame();
    // The program's first game: the stored time control, asked for only when
    // a player has no stored time.
    void StartFirstGame();

    bool IsTimeOver(std::uint8_t player) const;
    bool IsHandOverDue(std::uint8_t player) const;

private:
    QString TimeOverMessage(std::uint8_t player) const;
    // Shows the time-control dialog and applies the user's answer.
    void AskTimeControl();
    void PlayCue(Cue cue);

    Program& program_;
    Variables& vars_;
    ClockHost& host_;
};

} // namespace velmora
