#pragma once

#include "sound/SoundCues.h"

namespace velmora {

// Cues that make no sound.
class SilentCues final : public SoundCues {
public:
    void Play(Cue) noexcept override {}
};

} // namespace velmora
