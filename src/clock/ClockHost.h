#pragma once

#include "sound/SoundCues.h"

#include <QString>

#include <cstdint>

namespace velmora {

// What the clock engine needs from the window it lives in: the tick timer, the
// display, the time-control dialog and the sound cues.
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

    // Shows the time-control dialog modally; it records its outcome in the state.
    virtual void ShowTimeControlDialog() = 0;
    virtual void PlayCue(Cue cue) = 0;
};

} // namespace velmora
