#pragma once

#include <cstdint>

namespace velmora {

// Result codes the WAV player records in LastResult; a read records the
// number of bytes read instead, or ReadFailed.
enum SoundResult : std::int32_t {
    ReadFailed = -1,
    Success = 0,
    Failed = 1,        // the file or the output refused for another reason
    NoDevice = 2,      // no such output device, or no sound server
    BadFormat = 3,     // a broken format record, or one the output cannot play
    NoMemory = 4,      // the sample data does not fit into memory
    ChunkNotFound = 5, // no RIFF WAVE chunk, or no "fmt " or "data" chunk in it
};

} // namespace velmora
