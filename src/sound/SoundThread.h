#pragma once

#include "sound/CuePlayback.h"

#include <functional>
#include <memory>
#include <vector>

namespace velmora {

class AudioOutput;

struct SoundThreadLimits {
    int cueDeadlineMs = 1000; // a chime heard later no longer tells of its move
    int stuckAfterMs = 35000; // beyond PulseAudio's 30 s for a stream to be ready
    int maxAbandoned = 8;     // threads left to themselves before the cues stay silent
    int exitWaitMs = 250;
};

// Plays the cues on a thread of their own, so that neither a tick nor a
// hand-over ever waits for a file or for the sound server: PlayFile leaves the
// path for the thread and returns at once. The latest cue wins: one still
// waiting is replaced by the next, and one the thread reaches too late is
// dropped (or cut off, if its start took too long).
//
// Qt's PulseAudio output waits without a time limit for a new stream
// (QAudioSink::start); once the server has let the stream time out (30 s
// without an answer), it waits for good. A thread busy with one cue for longer
// than that is left to itself, and the next cue starts a fresh thread with an
// output of its own, which plays as soon as the server answers again. After
// a few such threads the cues stay silent.
class SoundThread final : public CuePlayback {
public:
    using OutputFactory = std::function<std::unique_ptr<AudioOutput>()>;
    using Limits = SoundThreadLimits;

    // `makeOutput` runs on each thread; no thread starts before the first cue.
    explicit SoundThread(OutputFactory makeOutput, Limits limits = {});
    // Ends the threads that end within exitWaitMs and leaves the others
    // running: the program ends past them (ExitSkippingLibraryTeardown).
    ~SoundThread() override;
    SoundThread(const SoundThread&) = delete;
    SoundThread& operator=(const SoundThread&) = delete;

    void PlayFile(const std::optional<QString>& path) noexcept override;

private:
    class Worker;

    OutputFactory makeOutput_;
    Limits limits_;
    std::vector<std::unique_ptr<Worker>> workers_; // the last one takes the cues
};

} // namespace velmora
