#pragma once

#include <QByteArrayView>

#include <array>
#include <cstdint>

namespace velmora {

inline constexpr std::uint16_t WaveFormatPcm = 0x0001;
inline constexpr std::uint16_t WaveFormatIeeeFloat = 0x0003;
inline constexpr std::uint16_t WaveFormatExtensible = 0xFFFE;

// The format record of a "fmt " chunk: the 18 bytes every format has, then
// the 22 bytes an extensible format adds.
struct WaveFormatEx {
    std::uint16_t FormatTag = 0;
    std::uint16_t Channels = 0;
    std::uint32_t SamplesPerSec = 0;
    std::uint32_t AvgBytesPerSec = 0;
    std::uint16_t BlockAlign = 0; // bytes per frame
    std::uint16_t BitsPerSample = 0;
    std::uint16_t ExtraSize = 0;
    // Extensible formats only.
    std::uint16_t ValidBitsPerSample = 0;
    std::uint32_t ChannelMask = 0;
    std::array<std::uint8_t, 16> SubFormat{};

    friend bool operator==(const WaveFormatEx&, const WaveFormatEx&) = default;
};

// Bytes of the record a "fmt " chunk can give; a plain PCM chunk has only 16.
inline constexpr int WaveFormatExSize = 40;
inline constexpr int WaveFormatMinimumSize = 16;

// Reads the record from the start of a "fmt " chunk's content. Bytes the
// chunk does not have read as zero.
WaveFormatEx ParseWaveFormat(QByteArrayView chunk);

// How the samples are coded: the format tag, or for an extensible format the
// tag its subformat stands for (0 when the subformat is not a standard one).
std::uint16_t SampleCoding(const WaveFormatEx& format);

} // namespace velmora
