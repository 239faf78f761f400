#pragma once

#include "sound/CuePlayback.h"
#include "sound/WaveFile.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <optional>

namespace velmora {

class AudioOutput;

// Plays one short sound at a time: LoadWave reads a WAV file into memory,
// PlayWave hands a frame range of it to the audio output, StopWave cuts it
// off; PlayFile runs the three as a cue. One instance per program; its owner
// also owns the output, and both are used on one thread.
class SoundPlayerUncompressedWAV final : public CuePlayback {
public:
    explicit SoundPlayerUncompressedWAV(AudioOutput& output);
    // Resets the output, so that it never reports to a player that is gone.
    ~SoundPlayerUncompressedWAV() override;
    SoundPlayerUncompressedWAV(const SoundPlayerUncompressedWAV&) = delete;
    SoundPlayerUncompressedWAV& operator=(const SoundPlayerUncompressedWAV&) = delete;

    // Loads the file as the sample to play. A load that fails keeps the
    // sample held before; an empty path releases it.
    void LoadWave(const QString& path);
    // Plays frames PlayStart up to PlayEnd of the held sample on the device
    // (-1 = the default output) and returns at once. Frames outside the
    // sample are not played; without a sample nothing happens.
    void PlayWave(std::int16_t device);
    // Cuts off the sound that is playing.
    void StopWave();
    // The cue: StopWave, LoadWave and PlayWave of all frames on the default output.
    void PlayFile(const std::optional<QString>& path) noexcept override;

    bool HoldsSample() const { return sample_.has_value(); }
    // Format and length of the held sample (all zero when none is held).
    const WaveFormatEx& WaveFormat() const;
    std::int32_t SampleFrames() const { return sample_ ? sample_->Frames : 0; }
    // True from the start of a sound until the output reports it done.
    bool WavePlaying() const { return playing_.load(); }
    // The outcome of the last step of LoadWave or PlayWave (a SoundResult or a byte count).
    std::int32_t LastResult() const { return lastResult_; }

    std::int32_t PlayStart = 0;
    std::int32_t PlayEnd = 0;
    bool WaveLoaded = false; // True after a successful load, False from the next one

private:
    // The output's report that the sound is done; may come from another thread.
    void WaveOutProc() { playing_.store(false); }

    AudioOutput& output_;
    std::optional<WaveSample> sample_;
    std::atomic<bool> playing_{false};
    std::int32_t lastResult_ = 0;
};

} // namespace velmora
