#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMetaType>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class QTemporaryDir;

namespace velmora::test {

// How a test file codes its samples.
enum class SampleCode { Pcm8, Pcm16, Pcm24, Pcm32, Float32 };

struct WaveSpec {
    SampleCode code = SampleCode::Pcm16;
    std::uint16_t channels = 1;
    std::uint32_t rate = 44100;
    bool extensible = false; // WAVE_FORMAT_EXTENSIBLE with a PCM or float subformat

    int BytesPerSample() const;
    std::uint16_t BlockAlign() const {
        return static_cast<std::uint16_t>(channels * BytesPerSample());
    }
    std::uint16_t FormatTag() const;
};

// The 40-byte format record; a "fmt " chunk holds all of it (extensible) or
// its first 16 bytes (plain), see FmtContent.
QByteArray FmtRecord(const WaveSpec& spec);
QByteArray FmtContent(const WaveSpec& spec);

// Sample values from -1 to 1 (channels interleaved), coded as `code` says.
QByteArray EncodeSamples(SampleCode code, const std::vector<double>& values);
// A sine tone of the same level on every channel.
std::vector<double> Tone(const WaveSpec& spec, double seconds, double frequency, double level);
QByteArray ToneData(const WaveSpec& spec, double seconds, double frequency = 1000.0,
                    double level = 0.5);

// The bytes of a string literal, NULs included.
template <std::size_t N> QByteArray Bytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

// A chunk with the size of its content, padded to an even length.
QByteArray Chunk(QByteArrayView id, const QByteArray& content);
// A chunk whose header declares `declaredSize`, whatever the content; no padding.
QByteArray ChunkDeclaring(QByteArrayView id, std::uint32_t declaredSize, const QByteArray& content);
QByteArray Riff(const QByteArray& chunks, QByteArrayView formType = "WAVE");
// A well-formed file: "fmt " then "data".
QByteArray WaveFile(const WaveSpec& spec, const QByteArray& data);

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

} // namespace velmora::test

Q_DECLARE_METATYPE(velmora::test::WaveSpec)
