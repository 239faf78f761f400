#pragma once

#include "sound/SoundCues.h"
#include "state/Variables.h"

#include <QString>

#include <array>
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

// The whole account in milliseconds.
std::int64_t TotalMilliseconds(const TimeAccount& account);

// Whether the account shows the low-time warning: the warning is on, a game
// runs, and the account is at or below the warning's seconds (or over).
bool ShowsLowTime(const Variables& vars, const TimeAccount& account);

// Adds `milliseconds` to the account, carrying whole seconds, minutes and hours
// upwards (59 s + 5 s is 1 min 4 s).
void CreditAccount(TimeAccount& account, std::int32_t milliseconds);

// The game clock: turns ticks into running time and key presses into
// hand-overs, ends the game when the running account is over, starts new games.
// With a time bonus on, each move gets its increment or delay; a running clock
// can be paused.
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

    // A pause stops a running clock: no account is charged and the players'
    // keys do nothing until it continues, with what is left of the move's delay.
    void Pause();
    void Continue();
    bool IsPaused() const { return paused_; }

private:
    QString TimeOverMessage(std::uint8_t player) const;
    // Shows the time-control dialog and applies the user's answer.
    void AskTimeControl();
    void PlayCue(Cue cue);
    // The time bonus of the move `mover` has just ended.
    void CreditMove(std::uint8_t mover);
    void StartMove();
    // The low-time cue, once per player and game, when the account first shows low time.
    void WarnOfLowTime(std::uint8_t player);

    Program& program_;
    Variables& vars_;
    ClockHost& host_;
    std::int32_t moveCharged_ = 0; // ms charged in the running move
    std::int32_t delayLeft_ = 0;   // ms of the running move's delay not yet used
    bool paused_ = false;
    std::array<bool, 3> lowTimeWarned_{}; // by player
};

} // namespace velmora
