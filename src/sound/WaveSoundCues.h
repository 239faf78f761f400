#pragma once

#include "sound/SoundCues.h"

#include <QString>

namespace velmora {

class ModalRunner;
class SoundPlayerUncompressedWAV;

// The program's sound cues: each plays its WAV file from the program's
// directory, read afresh at every cue, and cuts off a cue still sounding.
class WaveSoundCues final : public SoundCues {
public:
    WaveSoundCues(SoundPlayerUncompressedWAV& player, ModalRunner& modal, QString programDirectory);

    void Play(Cue cue) noexcept override;

private:
    QString WavePath(Cue cue) const;

    SoundPlayerUncompressedWAV& player_;
    ModalRunner& modal_;
    QString programDirectory_;
};

} // namespace velmora
