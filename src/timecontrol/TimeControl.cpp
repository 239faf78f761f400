#include "timecontrol/TimeControl.h"

#include "timecontrol/TimeSettings.h"

#include <array>

namespace velmora {

namespace {

struct Preset {
    std::int32_t hours;
    std::int32_t minutes;
};

// Hours and minutes of each game type; 0 (user defined) takes the boxes instead.
constexpr std::array<Preset, GameTypeCount> kPresets{{
    {0, 0},
    {0, 5},
    {0, 10},
    {0, 15},
    {0, 20},
    {0, 25},
    {0, 30},
    {0, 45},
    {1, 0},
    {1, 30},
    {2, 0},
    {2, 30},
    {3, 0},
    {4, 0},
    {6, 0},
}};

} // namespace

TimeAccount PresetTime(int gameType) {
    if (gameType < 1 || gameType >= GameTypeCount)
        return {};
    return {kPresets[gameType].hours, kPresets[gameType].minutes, 0, 0};
}

void ApplyTimeControl(Variables& vars, SettingsStore& store, const TimeControlChoice& choice) {
    vars.NewGameAccepted = true;
    vars.ContinueRunning = choice.ContinueRunning;
    vars.Bonus = choice.Bonus.IsOn() ? choice.Bonus : TimeBonus{};
    vars.PlayerTime[White] = choice.White;
    vars.PlayerTime[Black] = choice.Black == TimeAccount{} ? choice.White : choice.Black;
    const TimeAccount& white = vars.PlayerTime[White];
    const TimeAccount& black = vars.PlayerTime[Black];
    SaveTimeSettings(store, {.WhiteHours = white.Hours,
                             .WhiteMinutes = white.Minutes,
                             .WhiteSeconds = white.Seconds,
                             .BlackHours = black.Hours,
                             .BlackMinutes = black.Minutes,
                             .BlackSeconds = black.Seconds,
                             .GameType = choice.GameType,
                             .ContinueRunning = choice.ContinueRunning ? 1 : 0,
                             .Bonus = vars.Bonus});
    vars.CurrentPlayer = NoPlayer;
}

} // namespace velmora
