#include "sound/WaveFormatEx.h"

#include <QtEndian>

#include <algorithm>

namespace velmora {

namespace {

// Subformat GUIDs of extensible formats are this base with the format tag in
// their first two bytes (KSDATAFORMAT_SUBTYPE_PCM, ..._IEEE_FLOAT).
constexpr std::array<std::uint8_t, 14> SubFormatBase = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

} // namespace

WaveFormatEx ParseWaveFormat(QByteArrayView chunk) {
    std::array<char, WaveFormatExSize> bytes{};
    std::copy_n(chunk.data(), std::min<qsizetype>(chunk.size(), bytes.size()), bytes.begin());
    const char* at = bytes.data();

    WaveFormatEx format;
    format.FormatTag = qFromLittleEndian<quint16>(at + 0);
    format.Channels = qFromLittleEndian<quint16>(at + 2);
    format.SamplesPerSec = qFromLittleEndian<quint32>(at + 4);
    format.AvgBytesPerSec = qFromLittleEndian<quint32>(at + 8);
    format.BlockAlign = qFromLittleEndian<quint16>(at + 12);
    format.BitsPerSample = qFromLittleEndian<quint16>(at + 14);
    format.ExtraSize = qFromLittleEndian<quint16>(at + 16);
    format.ValidBitsPerSample = qFromLittleEndian<quint16>(at + 18);
    format.ChannelMask = qFromLittleEndian<quint32>(at + 20);
    std::copy_n(at + 24, format.SubFormat.size(), format.SubFormat.begin());
    return format;
}

std::uint16_t SampleCoding(const WaveFormatEx& format) {
    if (format.FormatTag != WaveFormatExtensible)
        return format.FormatTag;
    const auto& guid = format.SubFormat;
    if (format.ExtraSize < 22 ||
        !std::equal(SubFormatBase.begin(), SubFormatBase.end(), guid.begin() + 2))
        return 0;
    return static_cast<std::uint16_t>(guid[0] | guid[1] << 8);
}

} // namespace velmora
