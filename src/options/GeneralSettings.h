#pragma once

#include <QString>

#include <cstdint>

namespace velmora {

struct Program;
class SettingsStore;
struct Variables;

// What the options dialog offers and returns: the language, the two sound
// switches and both players' keys.
struct GeneralChoice {
    std::int32_t Language = 0;
    bool SoundPlayerChange = false;
    bool SoundGameOver = false;
    std::int32_t KeyWhite = 0;
    std::int32_t KeyBlack = 0;
    std::int32_t LowTimeWarning = 0; // seconds, 0 off
    bool SoundLowTime = false;
};

// The longest low-time warning, in seconds.
constexpr std::int32_t MaxLowTimeWarning = 3600;

// The program-wide values the options dialog starts from.
GeneralChoice CurrentGeneralChoice(const Variables& vars);

// True when no language is stored yet: the very first start.
bool IsFirstStart(const SettingsStore& store);

// The first step of loading the general settings: on the very first start
// English is set and the result is true; the start-up then asks for the
// language with the options dialog before it loads the rest.
bool BeginFirstStart(Program& program);

// Loads the language (filling the string table), the two sound switches and
// both players' keys. A missing language selects English.
void LoadGeneralSettings(Program& program);

// Stores the language and both players' keys (and the view and warning
// options while they are on).
void SaveGeneralSettings(Program& program);

// View > Fit to window: applied and stored at once.
void ApplyFitToWindow(Program& program, bool on);

// OK of the options dialog: applies the choice to the program and stores it at once.
void ApplyOptions(Program& program, const GeneralChoice& choice);

// A stored switch: the words True/False (any case) or a number, 0 being off.
// Anything else gives `fallback`.
bool SwitchFromText(const QString& text, bool fallback);

} // namespace velmora
