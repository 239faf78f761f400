#pragma once
// For the sound tests: WAV files, whole or broken, built byte by byte, and a main() for tests that
// play through Qt's audio back end.

#include "Fakes.h"

#include "sound/AudioOutput.h"
#include "sound/ProcessExit.h"
#include "sound/SoundResult.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <numbers>
#include <utility>

namespace velmora::test {

using namespace Qt::StringLiterals;

enum class Coding { Pcm, Float, ExtensiblePcm, ExtensibleFloat };

struct WaveKind {
    int bits = 16;
    std::uint16_t channels = 1;
    std::uint32_t rate = 44100;
    Coding coding = Coding::Pcm;

    bool IsFloat() const { return coding == Coding::Float || coding == Coding::ExtensibleFloat; }
    bool Extensible() const { return coding >= Coding::ExtensiblePcm; }
    std::uint16_t BlockAlign() const { return std::uint16_t(channels * bits / 8); }
};

template <typename T> void Append(QByteArray& to, T value, int bytes = sizeof(T)) {
    char little[sizeof(T)];
    qToLittleEndian(value, little);
    to.append(little, bytes);
}

// The "fmt " content, cut or padded with zeros to `size` bytes; by default as
// a writer gives it: 40 bytes for an extensible format, else 16.
inline QByteArray Fmt(const WaveKind& kind, int size = -1) {
    QByteArray fmt;
    Append<quint16>(fmt, kind.Extensible() ? 0xFFFE : kind.IsFloat() ? 3 : 1);
    Append<quint16>(fmt, kind.channels);
    Append<quint32>(fmt, kind.rate);
    Append<quint32>(fmt, kind.rate * kind.BlockAlign());
    Append<quint16>(fmt, kind.BlockAlign());
    Append<quint16>(fmt, quint16(kind.bits));
    if (kind.Extensible()) {
        Append<quint16>(fmt, 22);
        Append<quint16>(fmt, quint16(kind.bits));
        Append<quint32>(fmt, kind.channels == 1 ? 0x4 : 0x3); // front centre, or left and right
        Append<quint16>(fmt, kind.IsFloat() ? 3 : 1);
        fmt += QByteArray::fromHex("000000001000800000aa00389b71");
    }
    return fmt.leftJustified(size < 0 ? fmt.size() : size, '\0', true);
}

// A 1 kHz sine tone of the same level (1 = full scale) on every channel.
inline QByteArray ToneData(const WaveKind& kind, double seconds, double level = 0.5) {
    QByteArray data;
    const double highest = std::ldexp(1.0, kind.bits - 1) - 1.0;
    for (qsizetype frame = 0; frame < qsizetype(seconds * kind.rate); ++frame) {
        const double v =
            level * std::sin(2.0 * std::numbers::pi * 1000.0 * double(frame) / kind.rate);
        for (int channel = 0; channel < kind.channels; ++channel) {
            if (kind.IsFloat())
                Append<float>(data, float(v));
            else if (kind.bits == 8)
                Append<quint8>(data, quint8(std::lround(128.0 + v * 127.0)));
            else
                Append<qint64>(data, std::llround(v * highest), kind.bits / 8);
        }
    }
    return data;
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
inline QByteArray WaveFile(const WaveKind& kind, const QByteArray& data) {
    return Riff(Chunk("fmt ", Fmt(kind)) + Chunk("data", data));
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return file.fileName();
}

} // namespace velmora::test

Q_DECLARE_METATYPE(velmora::test::WaveKind)

// QTEST_MAIN for tests that play through Qt's audio back end: the process
// ends as the program's does, past Qt Multimedia's exit handlers.
#define VELMORA_SOUND_TEST_MAIN(Application, TestClass)                                            \
    int main(int argc, char* argv[]) {                                                             \
        int failures = 0;                                                                          \
        {                                                                                          \
            Application app(argc, argv);                                                           \
            TestClass test;                                                                        \
            failures = QTest::qExec(&test, argc, argv);                                            \
        }                                                                                          \
        velmora::ExitSkippingLibraryTeardown(failures == 0 ? 0 : 1);                               \
    }
