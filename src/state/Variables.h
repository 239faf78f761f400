#pragma once

#include "localisation/UIStrings.h"

#include <array>
#include <cstdint>

namespace velmora {

// One player's remaining time. The tick only borrows downwards; Minutes and
// Seconds above 59 given as a start value simply count down from there.
struct TimeAccount {
    std::int32_t Hours = 0;
    std::int32_t Minutes = 0;
    std::int32_t Seconds = 0;
    std::int32_t Milliseconds = 0;

    friend bool operator==(const TimeAccount&, const TimeAccount&) = default;
};

enum Player : std::uint8_t { NoPlayer = 0, White = 1, Black = 2 };

// Time given per move, for both players alike: none (the default, the clock
// then never adds time), an increment (Fischer: the seconds are added when a
// player ends a move), a Bronstein delay (the time the move used comes back, at
// most the seconds) or a simple delay (the first seconds of each move are not
// charged).
enum class BonusMode : std::int32_t { None = 0, Increment = 1, Bronstein = 2, Delay = 3 };

struct TimeBonus {
    static constexpr std::int32_t MaxSeconds = 600;

    BonusMode Mode = BonusMode::None;
    std::int32_t Seconds = 0;

    bool IsOn() const { return Mode != BonusMode::None && Seconds >= 1 && Seconds <= MaxSeconds; }
    friend bool operator==(const TimeBonus&, const TimeBonus&) = default;
};

// The state one run of the program shares between its windows. Everything
// starts as zero, False or empty; whoever owns a Variables owns one run.
struct Variables {
    // Index 1 White, 2 Black; index 0 is never written and so always reads as over.
    std::array<TimeAccount, 3> PlayerTime{};
    // 0 no game started, 1 White to move, 2 Black to move.
    std::uint8_t CurrentPlayer = NoPlayer;
    bool ContinueRunning = false;
    TimeBonus Bonus;
    bool NewGameAccepted = false;
    bool StartingUp = false;
    std::int32_t KeyWhite = 0;
    std::int32_t KeyBlack = 0;
    bool SoundPlayerChange = false;
    bool SoundGameOver = false;
    // Options, off unless chosen: the face scales with the window; a running
    // account at or below LowTimeWarning seconds (0: never) shows in red, and
    // SoundLowTime plays the low-time cue once per player and game.
    bool FitToWindow = false;
    std::int32_t LowTimeWarning = 0;
    bool SoundLowTime = false;
    UIStrings Strings;

    const QString& Text(UIText entry) const { return Strings(entry); }
};

} // namespace velmora
