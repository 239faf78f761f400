#pragma once

#include "sound/WaveFormatEx.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace velmora {

// The most sample data a cue reads: 16 MiB, about 95 s of CD-quality stereo.
inline constexpr qint64 MaxSampleBytes = qint64(16) << 20;

// A sample as the player holds it: its format and its data, the whole data
// chunk or its first MaxSampleBytes (whole frames).
struct WaveSample {
    WaveFormatEx Format;
    QByteArray Data;
    std::int32_t Frames = 0; // data bytes / block alignment, rounded half to even
};

// Reads a RIFF WAVE file (a regular file only): its "fmt " chunk, then the
// "data" chunk that follows it, up to MaxSampleBytes. Empty when the file
// cannot be opened or is not a usable WAV file. Each step from the RIFF search
// on stores its result in `lastResult` (a SoundResult, or for a read the
// number of bytes read).
std::optional<WaveSample> ReadWaveFile(const QString& path, std::int32_t& lastResult);

} // namespace velmora
