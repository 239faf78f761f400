#pragma once

namespace velmora {

enum class Cue { ChangePlayer, GameOver, LowTime };

// Starts a sound cue and returns at once; a cue still sounding is cut off.
// Errors stay inside: starting a cue never fails for the caller.
class SoundCues {
public:
    virtual ~SoundCues() = default;
    virtual void Play(Cue cue) noexcept = 0;
};

} // namespace velmora
