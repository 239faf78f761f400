#pragma once

#include "sound/SoundCues.h"

#include <QString>

namespace velmora {

class Messages;
class SoundPlayerUncompressedWAV;

// The program's sound cues: each plays its WAV file from the program's
// directory, read afresh at every cue, and cuts off a cue still sounding.
class WaveSoundCues final : public SoundCues {
public:
    WaveSoundCues(SoundPlayerUncompressedWAV& player, Messages& messages, QString programDirectory);

    void Play(Cue cue) noexcept override;

private:
    QString WavePath(Cue cue) const;

    SoundPlayerUncompressedWAV& player_;
    Messages& messages_;
    QString programDirectory_;
};

} // namespace velmora
