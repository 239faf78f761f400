#pragma once

#include "state/Variables.h"

#include <cstdint>

namespace velmora {

class SettingsStore;

// Time controls, numbered as the dialog offers them: 0 user defined, 1..14
// the presets from "5 min" to "6 h".
constexpr int GameTypeCount = 15;

// The time both players get from preset `gameType` (1..14); zero for 0 and
// any number outside the presets.
TimeAccount PresetTime(int gameType);

// How a dialog was left: OK, Cancel (also Escape, or the window frame while
// Cancel can be pressed), or closed by its frame when Cancel could not be pressed.
enum class DialogOutcome { Okay, Cancelled, Closed };

// What the user chose in the time-control dialog.
struct TimeControlChoice {
    int GameType = 0;
    // The times read from the boxes, or the preset's for White and zero for Black.
    TimeAccount White;
    TimeAccount Black;
    bool ContinueRunning = false;
    TimeBonus Bonus;
};

struct TimeControlAnswer {
    DialogOutcome Outcome = DialogOutcome::Closed;
    TimeControlChoice Choice;
};

// OK of the time-control dialog: a new game in Ready with the chosen times,
// stored at once. Black without a time of its own plays White's; every preset
// reaches Black this way.
void ApplyTimeControl(Variables& vars, SettingsStore& store, const TimeControlChoice& choice);

} // namespace velmora
