#pragma once

#include <QString>

#include <optional>

namespace velmora {

// Plays a cue's WAV file: cuts off the cue still sounding, reads the file
// afresh and plays all of it. A file that fails to load plays the sample held
// before, if any; an empty path releases that sample and plays nothing; no
// path at all (it could not be had) plays the held sample. Errors stay inside.
class CuePlayback {
public:
    virtual ~CuePlayback() = default;
    virtual void PlayFile(const std::optional<QString>& path) noexcept = 0;
};

} // namespace velmora
