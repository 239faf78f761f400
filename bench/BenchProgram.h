#pragma once

#include "UiFakes.h"

#include "clock/ui/UhrAnzeige.h"

#include <memory>

namespace velmora::bench {

// The real main window with its real timer, on a settings file that needs no
// dialog: both players have `hours` hours, both keys are Space.
class BenchProgram {
public:
    explicit BenchProgram(int hours);
    UhrAnzeige& Window() { return *window_; }
    Variables& Vars() { return ui_.vars(); }
    // Presses Space as X11 delivers it.
    void PressSpace();

private:
    test::TestUi ui_;
    std::unique_ptr<UhrAnzeige> window_;
};

} // namespace velmora::bench
