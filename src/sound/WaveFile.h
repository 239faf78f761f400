#pragma once

#include "sound/WaveFormatEx.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace velmora {

// A sample as the player holds it: its format and the whole data chunk.
struct WaveSample {
    WaveFormatEx Format;
    QByteArray Data;
    std::int32_t Frames = 0; // data bytes / block alignment, rounded half to even
};

// Reads a RIFF WAVE file: its "fmt " chunk, then the whole "data" chunk that
// follows it. Empty when the file cannot be opened or is not a usable WAV
// file. Each step from the RIFF search on stores its result in `lastResult`
// (a SoundResult, or for a read the number of bytes read).
std::optional<WaveSample> ReadWaveFile(const QString& path, std::int32_t& lastResult);

} // namespace velmora
