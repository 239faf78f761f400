#include "sound/WaveSoundCues.h"

#include "sound/CuePaths.h"
#include "sound/SoundPlayerUncompressedWAV.h"

#include <utility>

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

WaveSoundCues::WaveSoundCues(SoundPlayerUncompressedWAV& player, Messages& messages,
                             QString programDirectory)
    : player_(player), messages_(messages), programDirectory_(std::move(programDirectory)) {}

QString WaveSoundCues::WavePath(Cue cue) const {
    switch (cue) {
    case Cue::ChangePlayer:
        return ChangePlayerWavePath(programDirectory_, messages_);
    case Cue::GameOver:
        return GameOverWavePath(programDirectory_, messages_);
    case Cue::LowTime:
        return LowTimeWavePath(programDirectory_, messages_);
    }
    return {};
}

void WaveSoundCues::Play(Cue cue) noexcept {
    IgnoringErrors([&] {
        if (player_.WavePlaying())
            player_.StopWave();
    });
    player_.WaveLoaded = false;
    // A file that fails to load leaves the sample held before, which then plays.
    IgnoringErrors([&] { player_.LoadWave(WavePath(cue)); });
    player_.PlayStart = 0;
    player_.PlayEnd = player_.SampleFrames();
    IgnoringErrors([&] { player_.PlayWave(-1); });
}

} // namespace velmora
