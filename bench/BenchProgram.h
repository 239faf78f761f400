#pragma once

#include "about/DesktopLauncher.h"
#include "clock/UhrAnzeige.h"
#include "sound/SoundCues.h"
#include "state/ModalRunner.h"
#include "state/Program.h"
#include "state/SettingsStore.h"

#include <QTemporaryDir>

#include <memory>

namespace velmora::bench {

class NoCues final : public SoundCues {
public:
    void Play(Cue) noexcept override {}
};

// The real main window with its real timer, on a settings file that needs no
// dialog: both players have `hours` hours, both keys are Space.
class BenchProgram {
public:
    explicit BenchProgram(int hours);
    UhrAnzeige& Window() { return *window_; }
    Variables& Vars() { return program_->vars; }
    // Presses Space as X11 delivers it.
    void PressSpace();

private:
    QTemporaryDir dir_;
    std::unique_ptr<SettingsStore> store_;
    ExecModalRunner modal_;
    NoCues cues_;
    SystemDesktopLauncher desktop_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<UhrAnzeige> window_;
};

// The resident set size of this process in KiB.
long ResidentKiB();
// Open file descriptors of this process.
int OpenDescriptors();

} // namespace velmora::bench
