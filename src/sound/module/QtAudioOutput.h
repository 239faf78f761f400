#pragma once

#include "sound/AudioOutput.h"

#include <QAudio>
#include <QObject>

#include <memory>

namespace velmora {

// The audio output over Qt Multimedia: one QAudioSink per sound, released
// when the next sound opens, at a reset, or once its sound has drained.
// Qt's audio devices are first touched by Open, so a program that never
// plays a sound never starts Qt's audio back end. Destroying a sink runs a
// nested event loop (Qt's PulseAudio sink processes events in its destructor),
// and starting a sink may wait for the sound server without a time limit: the
// program uses it only on SoundThread's worker, which takes no cue from there.
class QtAudioOutput final : public AudioOutput {
public:
    QtAudioOutput();
    ~QtAudioOutput() override;

    std::int32_t Open(int device, const WaveFormatEx& format, DoneHandler onDone) override;
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) override;
    void Reset() override;

    bool IsOpen() const { return playback_ != nullptr; }

private:
    struct Playback;

    void OnStateChanged(std::uint64_t serial, QAudio::State state);
    void ReleaseLater(std::uint64_t serial, int delayMs);
    void Release(bool reportDone);

    QObject context_; // receives the sinks' signals and runs the drain timers
    std::unique_ptr<Playback> playback_;
    std::uint64_t serial_ = 0; // tells a late signal of a released sink from the current one
};

} // namespace velmora
