#include "sound/WaveSoundCues.h"

#include "sound/CuePaths.h"
#include "sound/CuePlayback.h"

#include <utility>

namespace velmora {

WaveSoundCues::WaveSoundCues(CuePlayback& playback, Messages& messages, QString programDirectory)
    : playback_(playback), messages_(messages), programDirectory_(std::move(programDirectory)) {}

QString WaveSoundCues::WavePath(Cue cue) const {
    return cue == Cue::ChangePlayer ? ChangePlayerWavePath(programDirectory_, messages_)
                                    : GameOverWavePath(programDirectory_, messages_);
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
