#pragma once

#include <QString>

class QWidget;

namespace velmora {

struct Program;
class SettingsStore;

// Loads the language (filling the string table), the two sound switches and
// both players' keys. On the very first start (no language stored) English is
// set and the options dialog asks the user before anything else is loaded.
void LoadGeneralSettings(Program& program, QWidget* dialogParent = nullptr);

// True when no language is stored yet: the start-up then asks for one first.
bool IsFirstStart(const SettingsStore& store);

// Stores the language and both players' keys.
void SaveGeneralSettings(Program& program);

// Stores the two sound switches as "1" (on) or "0" (off). Only the options
// dialog's OK writes them.
void SaveSoundSettings(Program& program);

// A stored switch: the words True/False (any case) or a number, 0 being off.
// Anything else gives `fallback`.
bool SwitchFromText(const QString& text, bool fallback);

} // namespace velmora
