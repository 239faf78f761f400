#pragma once

#include "state/Variables.h"

namespace velmora {

class Messages;
class SettingsStore;
class SoundCues;

// One run of the program: its shared state and the services its logic reaches
// the outside world through. main() wires the real services; tests their own.
struct Program {
    // Tells the user through `messages` when the store cannot save.
    Program(SettingsStore& settingsStore, SoundCues& soundCues, Messages& userMessages);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Variables vars;
    SettingsStore& store;
    SoundCues& cues;
    Messages& messages;
};

// Tells the user, at the start, why the settings file is not used (none, too
// large, not a file), if it is not.
void TellRefusedStore(Program& program);

} // namespace velmora
