#pragma once

#include "timecontrol/TimeControl.h"
#include "timecontrol/TimeSettings.h"

#include <QString>

#include <cstdint>

namespace velmora {

// What the clock engine needs from the window it lives in: the tick timer, the
// display and the time-control dialog.
class ClockHost {
public:
    virtual ~ClockHost() = default;

    // The clock runs exactly while the tick timer is enabled.
    virtual bool ClockRunning() const = 0;
    virtual void SetClockRunning(bool running) = 0;
    virtual int TimerInterval() const = 0;

    virtual void ShowTimes() = 0;
    virtual void ShowTurn(std::uint8_t player, bool forced, const QString& message) = 0;
    virtual void SetStatus(const QString& text) = 0;
    // A pause begins (the status line says how to continue) or ends (the
    // status line shows what it showed before).
    virtual void ShowPause(bool paused) = 0;

    // Shows the time-control dialog modally, starting from the stored choice
    // (Cancel cannot be pressed while starting up), and returns the user's answer.
    virtual TimeControlAnswer AskTimeControl(const TimeSettings& stored, bool startingUp) = 0;
};

} // namespace velmora
