#pragma once

#include "sound/SoundCues.h"

#include <QString>

namespace velmora {

class CuePlayback;
class Messages;

// The program's sound cues: each plays its WAV file from the program's
// directory, read afresh at every cue, and cuts off a cue still sounding.
// The path is made here, on the caller's thread, as it may tell the user
// "Application path undefined!"; `playback` does the rest.
class WaveSoundCues final : public SoundCues {
public:
    WaveSoundCues(CuePlayback& playback, Messages& messages, QString programDirectory);

    void Play(Cue cue) noexcept override;

private:
    QString WavePath(Cue cue) const;

    CuePlayback& playback_;
    Messages& messages_;
    QString programDirectory_;
};

} // namespace velmora
