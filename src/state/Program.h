#pragma once

#include "state/Variables.h"

namespace velmora {

class DesktopLauncher;
class ModalRunner;
class SettingsStore;
class SoundCues;

// One run of the program: its shared state and the services it reaches the
// outside world through. main() wires the real services; tests wire their own.
struct Program {
    Program(SettingsStore& settingsStore, ModalRunner& modalRunner, SoundCues& soundCues,
            DesktopLauncher& desktopLauncher)
        : store(settingsStore), modal(modalRunner), cues(soundCues), desktop(desktopLauncher) {}

    Variables vars;
    SettingsStore& store;
    ModalRunner& modal;
    SoundCues& cues;
    DesktopLauncher& desktop;
};

} // namespace velmora
