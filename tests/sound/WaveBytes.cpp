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

QByteArray FmtRecord(const WaveKind& kind) {
    const bool isFloat = kind.code == SampleCode::Float32;
    const auto bits = quint16(8 * kind.BytesPerSample());
    QByteArray record;
    Append<quint16>(record, kind.extensible ? 0xFFFE : isFloat ? 3 : 1);
    Append<quint16>(record, kind.channels);
    Append<quint32>(record, kind.rate);
    Append<quint32>(record, kind.rate * kind.BlockAlign());
    Append<quint16>(record, kind.BlockAlign());
    Append<quint16>(record, bits);
    if (!kind.extensible)
        return record + QByteArray(22 + 2, '\0');
    Append<quint16>(record, 22);
    Append<quint16>(record, bits);
    Append<quint32>(record, kind.channels == 1 ? 0x4 : 0x3); // front centre, or left and right
    Append<quint16>(record, isFloat ? 3 : 1);
    return record + Bytes("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71");
}

QByteArray FmtContent(const WaveKind& kind) {
    return kind.extensible ? FmtRecord(kind) : FmtRecord(kind).left(16);
}

QByteArray ToneData(const WaveKind& kind, double seconds, double level, double hertz) {
    QByteArray data;
    const auto frames = qsizetype(seconds * kind.rate);
    for (qsizetype i = 0; i < frames * kind.channels; ++i) {
        const double v = level * std::sin(2.0 * std::numbers::pi * hertz *
                                          double(i / kind.channels) / kind.rate);
        switch (kind.code) {
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

QByteArray WaveFile(const WaveKind& kind, const QByteArray& data) {
    return Riff(Chunk("fmt ", FmtContent(kind)) + Chunk("data", data));
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return file.fileName();
}

} // namespace velmora::test
