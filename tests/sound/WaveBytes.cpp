#include "WaveBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace velmora::test {

namespace {

template <typename T> void Append(QByteArray& to, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    to.append(bytes, sizeof(T));
}

std::uint32_t Size(const QByteArray& bytes) {
    return static_cast<std::uint32_t>(bytes.size());
}

} // namespace

int WaveSpec::BytesPerSample() const {
    switch (code) {
    case SampleCode::Pcm8:
        return 1;
    case SampleCode::Pcm16:
        return 2;
    case SampleCode::Pcm24:
        return 3;
    case SampleCode::Pcm32:
    case SampleCode::Float32:
        return 4;
    }
    return 0;
}

std::uint16_t WaveSpec::FormatTag() const {
    if (extensible)
        return 0xFFFE;
    return code == SampleCode::Float32 ? 3 : 1;
}

QByteArray FmtRecord(const WaveSpec& spec) {
    QByteArray record;
    Append<quint16>(record, spec.FormatTag());
    Append<quint16>(record, spec.channels);
    Append<quint32>(record, spec.rate);
    Append<quint32>(record, spec.rate * spec.BlockAlign());
    Append<quint16>(record, spec.BlockAlign());
    Append<quint16>(record, static_cast<quint16>(8 * spec.BytesPerSample()));
    Append<quint16>(record, spec.extensible ? 22 : 0);
    // Extension: valid bits, channel mask, subformat GUID.
    Append<quint16>(record, spec.extensible ? static_cast<quint16>(8 * spec.BytesPerSample()) : 0);
    Append<quint32>(record, spec.extensible ? (spec.channels == 1 ? 0x4 : 0x3) : 0);
    const char base[14] = {0, 0, 0,          0, 0x10, 0,          char(0x80),
                           0, 0, char(0xAA), 0, 0x38, char(0x9B), 0x71};
    if (spec.extensible) {
        Append<quint16>(record, spec.code == SampleCode::Float32 ? 3 : 1);
        record.append(base, sizeof base);
    } else {
        record.append(16, '\0');
    }
    return record;
}

QByteArray FmtContent(const WaveSpec& spec) {
    return spec.extensible ? FmtRecord(spec) : FmtRecord(spec).left(16);
}

QByteArray EncodeSamples(SampleCode code, const std::vector<double>& values) {
    QByteArray bytes;
    for (double value : values) {
        const double v = std::clamp(value, -1.0, 1.0);
        switch (code) {
        case SampleCode::Pcm8:
            Append<quint8>(bytes, static_cast<quint8>(std::lround(128.0 + v * 127.0)));
            break;
        case SampleCode::Pcm16:
            Append<qint16>(bytes, static_cast<qint16>(std::lround(v * 32767.0)));
            break;
        case SampleCode::Pcm24: {
            const qint32 sample = static_cast<qint32>(std::lround(v * 8388607.0));
            QByteArray four;
            Append<qint32>(four, sample);
            bytes.append(four.left(3));
            break;
        }
        case SampleCode::Pcm32:
            Append<qint32>(bytes, static_cast<qint32>(std::lround(v * 2147483647.0)));
            break;
        case SampleCode::Float32:
            Append<float>(bytes, static_cast<float>(v));
            break;
        }
    }
    return bytes;
}

std::vector<double> Tone(const WaveSpec& spec, double seconds, double frequency, double level) {
    const auto frames = static_cast<std::size_t>(seconds * spec.rate);
    std::vector<double> values;
    values.reserve(frames * spec.channels);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / spec.rate;
        const double value = level * std::sin(2.0 * std::numbers::pi * frequency * t);
        values.insert(values.end(), spec.channels, value);
    }
    return values;
}

QByteArray ToneData(const WaveSpec& spec, double seconds, double frequency, double level) {
    return EncodeSamples(spec.code, Tone(spec, seconds, frequency, level));
}

QByteArray Chunk(QByteArrayView id, const QByteArray& content) {
    QByteArray chunk = ChunkDeclaring(id, Size(content), content);
    if (content.size() % 2 == 1)
        chunk.append('\0');
    return chunk;
}

QByteArray ChunkDeclaring(QByteArrayView id, std::uint32_t declaredSize,
                          const QByteArray& content) {
    QByteArray chunk = id.toByteArray();
    Append<quint32>(chunk, declaredSize);
    return chunk + content;
}

QByteArray Riff(const QByteArray& chunks, QByteArrayView formType) {
    return Chunk("RIFF", formType.toByteArray() + chunks);
}

QByteArray WaveFile(const WaveSpec& spec, const QByteArray& data) {
    return Riff(Chunk("fmt ", FmtContent(spec)) + Chunk("data", data));
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

} // namespace velmora::test
