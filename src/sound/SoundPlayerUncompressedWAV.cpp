#include "sound/SoundPlayerUncompressedWAV.h"

#include "sound/AudioOutput.h"
#include "sound/SoundResult.h"

#include <algorithm>

namespace velmora {

namespace {

// A cue must never fail its caller: an error in one step is dropped and the
// next step runs all the same.
template <typename Step> void IgnoringErrors(Step step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

} // namespace

SoundPlayerUncompressedWAV::SoundPlayerUncompressedWAV(AudioOutput& output) : output_(output) {}

SoundPlayerUncompressedWAV::~SoundPlayerUncompressedWAV() {
    output_.Reset();
}

const WaveFormatEx& SoundPlayerUncompressedWAV::WaveFormat() const {
    static const WaveFormatEx none;
    return sample_ ? sample_->Format : none;
}

void SoundPlayerUncompressedWAV::LoadWave(const QString& path) {
    WaveLoaded = false;
    if (path.isEmpty()) {
        sample_.reset();
        return;
    }
    // The new sample is complete before it replaces the old one.
    std::optional<WaveSample> loaded = ReadWaveFile(path, lastResult_);
    if (!loaded)
        return;
    sample_ = std::move(loaded);
    WaveLoaded = true;
}

void SoundPlayerUncompressedWAV::PlayWave(std::int16_t device) {
    if (!sample_)
        return;
    lastResult_ = output_.Open(device, sample_->Format, [this] { WaveOutProc(); });
    if (lastResult_ != Success) {
        sample_.reset();
        return;
    }

    const qsizetype blockAlign = sample_->Format.BlockAlign;
    const qsizetype framesHeld = sample_->Data.size() / blockAlign;
    const qsizetype first = std::clamp<qsizetype>(PlayStart, 0, framesHeld);
    const qsizetype end = std::clamp<qsizetype>(PlayEnd, first, framesHeld);

    playing_.store(true);
    lastResult_ = output_.Write(sample_->Data, first * blockAlign, (end - first) * blockAlign);
    if (lastResult_ != Success) {
        playing_.store(false);
        sample_.reset();
    }
}

void SoundPlayerUncompressedWAV::StopWave() {
    output_.Reset();
}

void SoundPlayerUncompressedWAV::PlayFile(const std::optional<QString>& path) noexcept {
    IgnoringErrors([&] {
        if (WavePlaying())
            StopWave();
    });
    WaveLoaded = false;
    if (path)
        IgnoringErrors([&] { LoadWave(*path); });
    PlayStart = 0;
    PlayEnd = SampleFrames();
    IgnoringErrors([&] { PlayWave(-1); });
}

} // namespace velmora
