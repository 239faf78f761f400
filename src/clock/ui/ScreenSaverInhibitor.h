#pragma once

namespace velmora {

// Between moves nobody touches the computer, so a desktop would blank the
// screen or lock it in the middle of a game. While a clock runs the window asks
// the desktop not to.
class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    // True asks the desktop to keep the screen on, false withdraws the request.
    // Returns at once: the clock never waits for the desktop's answer.
    virtual void SetInhibited(bool inhibited) = 0;
};

} // namespace velmora
