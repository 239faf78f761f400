#include "sound/WaveFile.h"

#include "sound/RiffReader.h"
#include "sound/SoundResult.h"

#include <algorithm>
#include <limits>
#include <new>

namespace velmora {

namespace {

// bytes / blockAlign to the nearest whole number, halves to the even one.
qint64 FramesIn(qint64 bytes, std::uint16_t blockAlign) {
    const qint64 whole = bytes / blockAlign;
    const qint64 twiceRest = 2 * (bytes % blockAlign);
    const bool up = twiceRest > blockAlign || (twiceRest == blockAlign && whole % 2 == 1);
    return whole + (up ? 1 : 0);
}

std::int32_t Found(const std::optional<RiffChunk>& chunk) {
    return chunk ? Success : ChunkNotFound;
}

std::int32_t BytesRead(qint64 count) {
    return static_cast<std::int32_t>(
        std::min<qint64>(count, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::optional<WaveSample> ReadWaveFile(const QString& path, std::int32_t& lastResult) {
    RiffReader reader;
    if (!reader.Open(path))
        return std::nullopt;

    const std::optional<RiffChunk> riff = reader.DescendRiff(MakeFourCC("WAVE"));
    lastResult = Found(riff);
    if (!riff)
        return std::nullopt;

    const std::optional<RiffChunk> fmt = reader.Descend(MakeFourCC("fmt "), *riff);
    lastResult = Found(fmt);
    if (!fmt)
        return std::nullopt;

    // Only the chunk's own bytes are read: a short record reads as zeros beyond them.
    QByteArray fmtBytes(std::min<qint64>(reader.BytesLeftIn(*fmt), WaveFormatExSize), '\0');
    lastResult = BytesRead(reader.Read(fmtBytes.data(), fmtBytes.size()));
    if (lastResult < WaveFormatMinimumSize)
        return std::nullopt;
    WaveSample sample;
    sample.Format = ParseWaveFormat(fmtBytes);
    if (sample.Format.BlockAlign == 0) {
        lastResult = BadFormat;
        return std::nullopt;
    }
    lastResult = reader.Ascend(*fmt) ? Success : Failed;
    if (lastResult != Success)
        return std::nullopt;

    const std::optional<RiffChunk> data = reader.Descend(MakeFourCC("data"), *riff);
    lastResult = Found(data);
    if (!data)
        return std::nullopt;

    // Sized by what the file holds, not by the declared size, which may be a
    // lie; a longer sound is cut at a whole frame.
    const qint64 bytes = std::min(reader.BytesLeftIn(*data),
                                  MaxSampleBytes - MaxSampleBytes % sample.Format.BlockAlign);
    try {
        sample.Data.resize(bytes);
    } catch (const std::bad_alloc&) {
        lastResult = NoMemory;
        return std::nullopt;
    }
    const qint64 read = reader.Read(sample.Data.data(), bytes);
    lastResult = BytesRead(read);
    if (read < 0)
        return std::nullopt;
    sample.Data.truncate(read);
    sample.Frames = static_cast<std::int32_t>(FramesIn(read, sample.Format.BlockAlign));
    return sample;
}

} // namespace velmora
