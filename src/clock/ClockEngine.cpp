#include "clock/ClockEngine.h"

#include "clock/ClockHost.h"
#include "localisation/InternationalStrings.h"
#include "state/Program.h"
#include "state/SettingsStore.h"
#include "timecontrol/TimeSettings.h"

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

// Moves whole units from `larger` into `smaller` until `smaller` is not negative.
void Borrow(std::int64_t& smaller, std::int64_t& larger, std::int64_t unit) {
    if (smaller >= 0)
        return;
    const std::int64_t units = (-smaller + unit - 1) / unit;
    smaller += units * unit;
    larger -= units;
}

// Moves whole units out of `smaller` into `larger` until `smaller` is below one unit.
void Carry(std::int64_t& smaller, std::int64_t& larger, std::int64_t unit) {
    if (smaller < unit)
        return;
    larger += smaller / unit;
    smaller %= unit;
}

bool FitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

std::int64_t TotalMilliseconds(const TimeAccount& a) {
    return ((std::int64_t(a.Hours) * 60 + a.Minutes) * 60 + a.Seconds) * 1000 + a.Milliseconds;
}

bool ShowsLowTime(const Variables& vars, const TimeAccount& account) {
    return vars.LowTimeWarning > 0 && vars.CurrentPlayer != NoPlayer &&
           TotalMilliseconds(account) <= std::int64_t(vars.LowTimeWarning) * 1000;
}

bool IsAccountOver(const TimeAccount& a) {
    return a.Hours <= 0 && a.Minutes <= 0 && a.Seconds <= 0 && a.Milliseconds <= 0;
}

void ChargeAccount(TimeAccount& account, std::int32_t milliseconds) {
    // 64-bit intermediates: extreme start values must not overflow.
    std::int64_t ms = std::int64_t(account.Milliseconds) - milliseconds;
    std::int64_t seconds = account.Seconds;
    std::int64_t minutes = account.Minutes;
    std::int64_t hours = account.Hours;
    Borrow(ms, seconds, 1000);
    Borrow(seconds, minutes, 60);
    Borrow(minutes, hours, 60);
    if (!FitsInt32(hours) || !FitsInt32(minutes) || !FitsInt32(seconds)) {
        account = TimeAccount{};
        return;
    }
    account = {std::int32_t(hours), std::int32_t(minutes), std::int32_t(seconds), std::int32_t(ms)};
}

void CreditAccount(TimeAccount& account, std::int32_t milliseconds) {
    std::int64_t ms = std::int64_t(account.Milliseconds) + milliseconds;
    std::int64_t seconds = account.Seconds;
    std::int64_t minutes = account.Minutes;
    std::int64_t hours = account.Hours;
    Carry(ms, seconds, 1000);
    Carry(seconds, minutes, 60);
    Carry(minutes, hours, 60);
    // Only hand-edited hours near the top of the range could overflow: no credit then.
    if (FitsInt32(hours))
        account = {std::int32_t(hours), std::int32_t(minutes), std::int32_t(seconds),
                   std::int32_t(ms)};
}

ClockEngine::ClockEngine(Program& program, ClockHost& host)
    : program_(program), vars_(program.vars), host_(host) {}

bool ClockEngine::IsTimeOver(std::uint8_t player) const {
    return player >= vars_.PlayerTime.size() || IsAccountOver(vars_.PlayerTime[player]);
}

bool ClockEngine::IsHandOverDue(std::uint8_t player) const {
    const std::uint8_t other = player == White ? Black : White;
    if (!vars_.ContinueRunning)
        return false;
    return IsTimeOver(player) && !IsTimeOver(other);
}

QString ClockEngine::TimeOverMessage(std::uint8_t player) const {
    return InternationalStrings::printf(vars_.Text(TxtPlayerTimeOver), {int(player)});
}

void ClockEngine::TimerClock_Timer() {
    const std::uint8_t player = vars_.CurrentPlayer;
    if (IsHandOverDue(player)) {
        // Nothing is charged in the tick of a forced hand-over.
        SwitchPlayer(0, true, TimeOverMessage(player));
        if (vars_.SoundGameOver)
            PlayCue(Cue::GameOver);
        return;
    }
    if (IsTimeOver(player)) {
        host_.SetClockRunning(false);
        host_.SetStatus(TimeOverMessage(player));
        if (vars_.SoundGameOver)
            PlayCue(Cue::GameOver);
        return;
    }
    // The labels show the account before this tick's charge.
    host_.ShowTimes();
    const std::int32_t interval = host_.TimerInterval();
    if (delayLeft_ > 0) {
        delayLeft_ -= interval; // the first seconds of a move under a simple delay are free
        return;
    }
    ChargeAccount(vars_.PlayerTime[player], interval);
    moveCharged_ += interval;
    WarnOfLowTime(player);
}

void ClockEngine::WarnOfLowTime(std::uint8_t player) {
    if (lowTimeWarned_[player] || !ShowsLowTime(vars_, vars_.PlayerTime[player]))
        return;
    lowTimeWarned_[player] = true;
    if (vars_.SoundLowTime)
        PlayCue(Cue::LowTime);
}

void ClockEngine::SwitchPlayer(std::int32_t keyCode, bool forced, const QString& message) {
    const bool readyToStart = vars_.CurrentPlayer == NoPlayer && !IsTimeOver(White);
    if (!host_.ClockRunning() && !readyToStart)
        return;

    const std::uint8_t mover = vars_.CurrentPlayer;
    std::uint8_t next;
    if (mover == White) {
        if (keyCode != vars_.KeyWhite && !forced)
            return;
        next = Black;
    } else {
        // Black's key also starts White's clock at the start of a game.
        if (keyCode != vars_.KeyBlack && !forced)
            return;
        next = White;
    }

    // Black's press that starts the game, and a hand-over forced by a time-over, end no move.
    if (!forced && mover != NoPlayer)
        CreditMove(mover);
    StartMove();
    vars_.CurrentPlayer = next;
    host_.SetClockRunning(true);
    host_.ShowTurn(next, forced, message);
    if (vars_.SoundPlayerChange)
        PlayCue(Cue::ChangePlayer);
}

void ClockEngine::CreditMove(std::uint8_t mover) {
    const TimeBonus& bonus = vars_.Bonus;
    if (!bonus.IsOn() || IsTimeOver(mover))
        return;
    const std::int32_t seconds = bonus.Seconds * 1000;
    if (bonus.Mode == BonusMode::Increment)
        CreditAccount(vars_.PlayerTime[mover], seconds);
    else if (bonus.Mode == BonusMode::Bronstein)
        CreditAccount(vars_.PlayerTime[mover], std::min(moveCharged_, seconds));
    host_.ShowTimes();
}

void ClockEngine::StartMove() {
    moveCharged_ = 0;
    const bool delay = vars_.Bonus.IsOn() && vars_.Bonus.Mode == BonusMode::Delay;
    delayLeft_ = delay ? vars_.Bonus.Seconds * 1000 : 0;
}

void ClockEngine::Pause() {
    if (paused_ || !host_.ClockRunning())
        return;
    paused_ = true;
    host_.SetClockRunning(false);
    host_.ShowPause(true);
}

void ClockEngine::Continue() {
    if (!paused_)
        return;
    paused_ = false;
    host_.SetClockRunning(true);
    host_.ShowPause(false);
}

void ClockEngine::StartFirstGame() {
    vars_.NewGameAccepted = true;
    vars_.StartingUp = true;
    NewGame();
    vars_.StartingUp = false;
}

void ClockEngine::NewGame() {
    host_.SetClockRunning(false);
    if (vars_.StartingUp) {
        const TimeSettings stored = LoadTimeSettings(program_.store);
        vars_.PlayerTime[White] = {stored.WhiteHours, stored.WhiteMinutes, stored.WhiteSeconds, 0};
        vars_.PlayerTime[Black] = {stored.BlackHours, stored.BlackMinutes, stored.BlackSeconds, 0};
        vars_.ContinueRunning = stored.ContinueRunning != 0;
        vars_.Bonus = stored.Bonus;
        if (!stored.HasTimeForBoth())
            AskTimeControl();
    } else {
        AskTimeControl();
    }

    if (!vars_.NewGameAccepted)
        host_.SetClockRunning(true);
    else
        host_.SetStatus(vars_.Text(TxtBlackStarts));
    host_.ShowTimes();
}

void ClockEngine::AskTimeControl() {
    // The dialog starts from the stored choice as it is now, also when another
    // copy of the program or a hand edit changed it.
    program_.store.Refresh();
    const TimeControlAnswer answer =
        host_.AskTimeControl(LoadTimeSettings(program_.store), vars_.StartingUp);
    if (answer.Outcome == DialogOutcome::Okay) {
        ApplyTimeControl(vars_, program_.store, answer.Choice);
        paused_ = false; // the new game ends a pause
        lowTimeWarned_ = {};
    } else if (answer.Outcome == DialogOutcome::Cancelled)
        vars_.NewGameAccepted = false;
    // Closed by the frame during start-up: nothing changes.
}

void ClockEngine::PlayCue(Cue cue) {
    program_.cues.Play(cue);
}

} // namespace velmora
