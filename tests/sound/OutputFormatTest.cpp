// Which WAV formats the Qt output plays and how, and the widening of 24-bit
// samples that Qt cannot take as they are.

#include "WaveBytes.h"

#include "sound/OutputFormat.h"

#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

WaveFormatEx Format(const WaveSpec& spec) {
    return ParseWaveFormat(FmtRecord(spec));
}

} // namespace

Q_DECLARE_METATYPE(velmora::WaveFormatEx)

class OutputFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mapsPlayableFormats_data() {
        QTest::addColumn<WaveSpec>("spec");
        QTest::addColumn<QAudioFormat::SampleFormat>("sampleFormat");
        QTest::addColumn<bool>("widen");
        QTest::newRow("8-bit unsigned")
            << WaveSpec{SampleCode::Pcm8, 1, 8000, false} << QAudioFormat::UInt8 << false;
        QTest::newRow("16-bit") << WaveSpec{SampleCode::Pcm16, 2, 44100, false}
                                << QAudioFormat::Int16 << false;
        QTest::newRow("24-bit") << WaveSpec{SampleCode::Pcm24, 2, 48000, false}
                                << QAudioFormat::Int32 << true;
        QTest::newRow("32-bit") << WaveSpec{SampleCode::Pcm32, 1, 96000, false}
                                << QAudioFormat::Int32 << false;
        QTest::newRow("float") << WaveSpec{SampleCode::Float32, 2, 22050, false}
                               << QAudioFormat::Float << false;
        QTest::newRow("extensible 16-bit")
            << WaveSpec{SampleCode::Pcm16, 2, 44100, true} << QAudioFormat::Int16 << false;
        QTest::newRow("extensible 24-bit")
            << WaveSpec{SampleCode::Pcm24, 1, 48000, true} << QAudioFormat::Int32 << true;
        QTest::newRow("extensible float")
            << WaveSpec{SampleCode::Float32, 2, 96000, true} << QAudioFormat::Float << false;
    }
    void mapsPlayableFormats() {
        QFETCH(WaveSpec, spec);
        QFETCH(QAudioFormat::SampleFormat, sampleFormat);
        QFETCH(bool, widen);
        const std::optional<OutputFormat> output = OutputFormatFor(Format(spec));
        QVERIFY(output);
        QCOMPARE(output->format.sampleFormat(), sampleFormat);
        QCOMPARE(output->format.channelCount(), spec.channels);
        QCOMPARE(output->format.sampleRate(), int(spec.rate));
        QCOMPARE(output->widen24To32, widen);
    }

    void refusesOtherFormats_data() {
        QTest::addColumn<WaveFormatEx>("format");
        const WaveFormatEx pcm16 = Format({SampleCode::Pcm16, 2, 44100, false});
        const WaveFormatEx float32 = Format({SampleCode::Float32, 1, 44100, false});
        const WaveFormatEx extensible = Format({SampleCode::Pcm16, 2, 44100, true});
        auto with = [](WaveFormatEx format, auto change) {
            change(format);
            return format;
        };
        QTest::newRow("nothing loaded") << WaveFormatEx{};
        QTest::newRow("ADPCM") << with(pcm16, [](auto& f) { f.FormatTag = 2; });
        QTest::newRow("A-law") << with(pcm16, [](auto& f) { f.FormatTag = 6; });
        QTest::newRow("12-bit PCM") << with(pcm16, [](auto& f) { f.BitsPerSample = 12; });
        QTest::newRow("64-bit float") << with(float32, [](auto& f) {
            f.BitsPerSample = 64;
            f.BlockAlign = 8;
        });
        QTest::newRow("16-bit float") << with(float32, [](auto& f) {
            f.BitsPerSample = 16;
            f.BlockAlign = 2;
        });
        QTest::newRow("extensible of another subformat")
            << with(extensible, [](auto& f) { f.SubFormat[15] = 0x72; });
        QTest::newRow("extensible of subformat ADPCM")
            << with(extensible, [](auto& f) { f.SubFormat[0] = 2; });
        QTest::newRow("extensible without its extension")
            << with(extensible, [](auto& f) { f.ExtraSize = 0; });
        QTest::newRow("block alignment of one channel")
            << with(pcm16, [](auto& f) { f.BlockAlign = 2; });
        QTest::newRow("no channels") << with(pcm16, [](auto& f) {
            f.Channels = 0;
            f.BlockAlign = 0;
        });
        QTest::newRow("rate 0") << with(pcm16, [](auto& f) { f.SamplesPerSec = 0; });
        QTest::newRow("rate beyond int")
            << with(pcm16, [](auto& f) { f.SamplesPerSec = 0x80000000; });
    }
    void refusesOtherFormats() {
        QFETCH(WaveFormatEx, format);
        QVERIFY(!OutputFormatFor(format));
    }

    void widens24To32Bits_data() {
        QTest::addColumn<QByteArray>("samples24");
        QTest::addColumn<QByteArray>("samples32");
        QTest::newRow("zero") << Bytes("\x00\x00\x00") << Bytes("\x00\x00\x00\x00");
        QTest::newRow("smallest step") << Bytes("\x01\x00\x00") << Bytes("\x00\x01\x00\x00");
        QTest::newRow("highest") << Bytes("\xFF\xFF\x7F") << Bytes("\x00\xFF\xFF\x7F");
        QTest::newRow("lowest") << Bytes("\x00\x00\x80") << Bytes("\x00\x00\x00\x80");
        QTest::newRow("minus one step") << Bytes("\xFF\xFF\xFF") << Bytes("\x00\xFF\xFF\xFF");
        QTest::newRow("two samples")
            << Bytes("\x01\x02\x03\x04\x05\x06") << Bytes("\x00\x01\x02\x03\x00\x04\x05\x06");
        QTest::newRow("partial sample dropped")
            << Bytes("\x01\x02\x03\x04") << Bytes("\x00\x01\x02\x03");
    }
    void widens24To32Bits() {
        QFETCH(QByteArray, samples24);
        QFETCH(QByteArray, samples32);
        QCOMPARE(Widen24To32(samples24), samples32);
    }
};

QTEST_GUILESS_MAIN(OutputFormatTest)
#include "OutputFormatTest.moc"
