// The formats the Qt output refuses, and the widening of 24-bit samples that
// Qt cannot take as they are. (The playable ones are played for real in
// QtAudioOutputTest.)

#include "WaveBytes.h"

#include "sound/OutputFormat.h"

#include <QTest>

#include <functional>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::WaveFormatEx)

class OutputFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusesOtherFormats_data() {
        QTest::addColumn<WaveFormatEx>("format");
        auto changed = [](const WaveKind& kind, const std::function<void(WaveFormatEx&)>& change) {
            WaveFormatEx format = ParseWaveFormat(FmtRecord(kind));
            change(format);
            return format;
        };
        const WaveKind pcm{SampleCode::Pcm16, 2, 44100};
        const WaveKind extensible{SampleCode::Pcm16, 2, 44100, true};
        QTest::newRow("nothing loaded") << WaveFormatEx{};
        QTest::newRow("ADPCM") << changed(pcm, [](auto& f) { f.FormatTag = 2; });
        QTest::newRow("12-bit PCM") << changed(pcm, [](auto& f) { f.BitsPerSample = 12; });
        QTest::newRow("64-bit float") << changed({SampleCode::Float32, 1, 44100}, [](auto& f) {
            f.BitsPerSample = 64;
            f.BlockAlign = 8;
        });
        QTest::newRow("extensible, unknown subformat")
            << changed(extensible, [](auto& f) { f.SubFormat[15] = 0; });
        QTest::newRow("extensible, ADPCM subformat")
            << changed(extensible, [](auto& f) { f.SubFormat[0] = 2; });
        QTest::newRow("extensible, no extension")
            << changed(extensible, [](auto& f) { f.ExtraSize = 0; });
        QTest::newRow("frame of one channel") << changed(pcm, [](auto& f) { f.BlockAlign = 2; });
        QTest::newRow("rate 0") << changed(pcm, [](auto& f) { f.SamplesPerSec = 0; });
    }
    void refusesOtherFormats() {
        QFETCH(WaveFormatEx, format);
        QVERIFY(!OutputFormatFor(format));
    }

    void widens24To32Bits_data() {
        QTest::addColumn<QByteArray>("samples24");
        QTest::addColumn<QByteArray>("samples32");
        QTest::newRow("smallest step") << Bytes("\x01\x00\x00") << Bytes("\x00\x01\x00\x00");
        QTest::newRow("highest") << Bytes("\xFF\xFF\x7F") << Bytes("\x00\xFF\xFF\x7F");
        QTest::newRow("lowest") << Bytes("\x00\x00\x80") << Bytes("\x00\x00\x00\x80");
        QTest::newRow("two, and a partial one")
            << Bytes("\x01\x02\x03\x04\x05\x06\x07") << Bytes("\x00\x01\x02\x03\x00\x04\x05\x06");
    }
    void widens24To32Bits() {
        QFETCH(QByteArray, samples24);
        QFETCH(QByteArray, samples32);
        QCOMPARE(Widen24To32(samples24), samples32);
    }
};

QTEST_GUILESS_MAIN(OutputFormatTest)
#include "OutputFormatTest.moc"
