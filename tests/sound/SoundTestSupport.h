#pragma once
// For the sound tests: WAV files, whole or broken, built byte by byte.

#include "TestProgram.h"

#include "sound/SoundResult.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace velmora::test {

using namespace Qt::StringLiterals;

// The format record a writer gives; `tag` 1 is PCM, 3 float.
inline WaveFormatEx Format(int bits, int channels, int rate, std::uint16_t tag = WaveFormatPcm) {
    const auto frame = std::uint16_t(channels * bits / 8);
    return {tag,   std::uint16_t(channels), std::uint32_t(rate), std::uint32_t(rate * frame),
            frame, std::uint16_t(bits)};
}

// The same as an extensible format: front centre, or left and right, and the
// standard subformat GUID of `coding`, or with another last byte one that is none.
inline WaveFormatEx Extensible(WaveFormatEx f, std::uint8_t coding, std::uint8_t last = 0x71) {
    f.FormatTag = WaveFormatExtensible;
    f.ExtraSize = 22;
    f.ValidBitsPerSample = f.BitsPerSample;
    f.ChannelMask = f.Channels == 1 ? 0x4 : 0x3;
    f.SubFormat = {coding, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, last};
    return f;
}

template <typename T> void Append(QByteArray& to, T value, int bytes = sizeof(T)) {
    char little[sizeof(T)];
    qToLittleEndian(value, little);
    to.append(little, bytes);
}

// The "fmt " content, cut or padded with zeros to `size` bytes; by default as
// a writer gives it: 40 bytes for an extensible format, else 16.
inline QByteArray Fmt(const WaveFormatEx& f, int size = -1) {
    QByteArray fmt;
    const auto put = [&fmt](auto... fields) { (Append(fmt, fields), ...); };
    put(f.FormatTag, f.Channels, f.SamplesPerSec, f.AvgBytesPerSec, f.BlockAlign, f.BitsPerSample,
        f.ExtraSize, f.ValidBitsPerSample, f.ChannelMask);
    fmt.append(reinterpret_cast<const char*>(f.SubFormat.data()), qsizetype(f.SubFormat.size()));
    return fmt.leftJustified(size >= 0 ? size : f.ExtraSize ? 40 : 16, '\0', true);
}

// A chunk declaring `size`; by default its content's, padded to even length.
inline QByteArray Chunk(QByteArrayView id, const QByteArray& content, qint64 size = -1) {
    QByteArray chunk = id.toByteArray();
    Append<quint32>(chunk, quint32(size < 0 ? content.size() : size));
    chunk += content;
    return size < 0 && content.size() % 2 ? chunk + '\0' : chunk;
}
inline QByteArray Riff(const QByteArray& chunks, QByteArrayView formType = "WAVE") {
    return Chunk("RIFF", formType.toByteArray() + chunks);
}
inline QByteArray WaveFile(const WaveFormatEx& format, const QByteArray& data) {
    return Riff(Chunk("fmt ", Fmt(format)) + Chunk("data", data));
}

} // namespace velmora::test

Q_DECLARE_METATYPE(velmora::WaveFormatEx)
