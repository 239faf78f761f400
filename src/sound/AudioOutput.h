#pragma once

#include "sound/WaveFormatEx.h"

#include <QByteArray>

#include <cstdint>
#include <functional>

namespace velmora {

// An audio output that plays one stretch of sample memory at a time.
class AudioOutput {
public:
    using DoneHandler = std::function<void()>;

    virtual ~AudioOutput() = default;

    // Opens the device (-1 = the default output) for samples of the given
    // format, releasing the output opened before. `onDone` is called once the
    // sound written next has ended or been reset, never from inside Write.
    // Returns a SoundResult.
    virtual std::int32_t Open(int device, const WaveFormatEx& format, DoneHandler onDone) = 0;
    // Starts playing `length` bytes of `samples` from `offset` and returns at
    // once; the output keeps its own reference to the bytes. Returns a SoundResult.
    virtual std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) = 0;
    // Stops at once and releases the output; a sound still playing reports done.
    virtual void Reset() = 0;
};

} // namespace velmora
