#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMetaType>
#include <QString>

#include <cstddef>
#include <cstdint>

class QTemporaryDir;

// Builds WAV files, whole or broken, for the tests.
namespace velmora::test {

enum class SampleCode { Pcm8, Pcm16, Pcm24, Pcm32, Float32 };

struct WaveKind {
    SampleCode code = SampleCode::Pcm16;
    std::uint16_t channels = 1;
    std::uint32_t rate = 44100;
    bool extensible = false; // WAVE_FORMAT_EXTENSIBLE with a PCM or float subformat

    int BytesPerSample() const { return code == SampleCode::Float32 ? 4 : int(code) + 1; }
    std::uint16_t BlockAlign() const { return std::uint16_t(channels * BytesPerSample()); }
};

// The full 40-byte format record, and the "fmt " content a writer would
// give it: all 40 bytes for an extensible format, else the first 16.
QByteArray FmtRecord(const WaveKind& kind);
QByteArray FmtContent(const WaveKind& kind);
// A sine tone of the same level on every channel.
QByteArray ToneData(const WaveKind& kind, double seconds, double level = 0.5,
                    double hertz = 1000.0);

template <std::size_t N> QByteArray Bytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}
// A chunk sized by its content and padded to even length; or declaring any size, unpadded.
QByteArray Chunk(QByteArrayView id, const QByteArray& content);
QByteArray ChunkDeclaring(QByteArrayView id, std::uint32_t size, const QByteArray& content);
QByteArray Riff(const QByteArray& chunks, QByteArrayView formType = "WAVE");
QByteArray WaveFile(const WaveKind& kind, const QByteArray& data); // "fmt ", then "data"

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

} // namespace velmora::test

Q_DECLARE_METATYPE(velmora::test::WaveKind)
