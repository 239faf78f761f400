#pragma once

#include "UiFakes.h"

#include "clock/ui/UhrAnzeige.h"

#include <memory>

namespace velmora::bench {

// The real main window with its real timer, on a settings file that needs no
// dialog: both players have `hours` hours, both keys are Space. With `cues`
// the player-change cue is on and plays through them.
class BenchProgram {
public:
    explicit BenchProgram(int hours, SoundCues* cues = nullptr);
    UhrAnzeige& Window() { return *window_; }
    Variables& Vars() { return soundProgram_ ? soundProgram_->vars : ui_.vars(); }
    // Presses Space as X11 delivers it.
    void PressSpace();

private:
    test::TestUi ui_;
    std::unique_ptr<Program> soundProgram_;
    std::unique_ptr<UhrAnzeige> window_;
};

} // namespace velmora::bench
