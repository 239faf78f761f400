#include "WaveBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace velmora::test {

namespace {

template <typename T> void Append(QByteArray& to, T value, int bytes = sizeof(T)) {
    char little[sizeof(T)];
    qToLittleEndian(value, little);
    to.append(little, bytes);
}

} // namespace

QByteArray FmtRecord(const WaveSpec& spec) {
    const bool isFloat = spec.code == SampleCode::Float32;
    const auto bits = quint16(8 * spec.BytesPerSample());
    QByteArray record;
    Append<quint16>(record, spec.extensible ? 0xFFFE : isFloat ? 3 : 1);
    Append<quint16>(record, spec.channels);
    Append<quint32>(record, spec.rate);
    Append<quint32>(record, spec.rate * spec.BlockAlign());
    Append<quint16>(record, spec.BlockAlign());
    Append<quint16>(record, bits);
    if (!spec.extensible)
        return record + QByteArray(22 + 2, '\0');
    Append<quint16>(record, 22);
    Append<quint16>(record, bits);
    Append<quint32>(record, spec.channels == 1 ? 0x4 : 0x3); // front centre, or left and right
    Append<quint16>(record, isFloat ? 3 : 1);
    return record + Bytes("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71");
}

QByteArray FmtContent(const WaveSpec& spec) {
    return spec.extensible ? FmtRecord(spec) : FmtRecord(spec).left(16);
}

QByteArray ToneData(const WaveSpec& spec, double seconds, double level, double hertz) {
    QByteArray data;
    const auto frames = qsizetype(seconds * spec.rate);
    for (qsizetype i = 0; i < frames * spec.channels; ++i) {
        const double v = level * std::sin(2.0 * std::numbers::pi * hertz *
                                          double(i / spec.channels) / spec.rate);
        switch (spec.code) {
        case SampleCode::Pcm8:
            Append<quint8>(data, quint8(std::lround(128.0 + v * 127.0)));
            break;
        case SampleCode::Pcm16:
            Append<qint16>(data, qint16(std::lround(v * 32767.0)));
            break;
        case SampleCode::Pcm24:
            Append<qint32>(data, qint32(std::lround(v * 8388607.0)), 3);
            break;
        case SampleCode::Pcm32:
            Append<qint32>(data, qint32(std::lround(v * 2147483647.0)));
            break;
        case SampleCode::Float32:
            Append<float>(data, float(v));
            break;
        }
    }
    return data;
}

QByteArray Chunk(QByteArrayView id, const QByteArray& content) {
    const QByteArray chunk = ChunkDeclaring(id, quint32(content.size()), content);
    return content.size() % 2 ? chunk + '\0' : chunk;
}

QByteArray ChunkDeclaring(QByteArrayView id, std::uint32_t size, const QByteArray& content) {
    QByteArray chunk = id.toByteArray();
    Append<quint32>(chunk, size);
    return chunk + content;
}

QByteArray Riff(const QByteArray& chunks, QByteArrayView formType) {
    return Chunk("RIFF", formType.toByteArray() + chunks);
}

QByteArray WaveFile(const WaveSpec& spec, const QByteArray& data) {
    return Riff(Chunk("fmt ", FmtContent(spec)) + Chunk("data", data));
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return file.fileName();
}

} // namespace velmora::test
