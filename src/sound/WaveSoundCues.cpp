#include "sound/WaveSoundCues.h"

#include "sound/CuePaths.h"
#include "sound/CuePlayback.h"

#include <utility>

namespace velmora {

WaveSoundCues::WaveSoundCues(CuePlayback& playback, Messages& messages, QString programDirectory)
    : playback_(playback), messages_(messages), programDirectory_(std::move(programDirectory)) {}

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
    std::optional<QString> path;
    try {
        path = WavePath(cue);
    } catch (...) {
        // Telling the user failed: the cue goes on without a file of its own.
    }
    playback_.PlayFile(path);
}

} // namespace velmora
