// How the audio module hands WAV samples to Qt: the sample format, channels and
// rate Qt gets, or a refusal for what it cannot play as it is.

#include "SoundTestSupport.h"

#include "sound/module/OutputFormat.h"

#include <QDebug>

using namespace velmora;
using namespace velmora::test;

class OutputFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // An extensible format stands for its sub-format's coding (the first two
    // bytes) when the rest is the standard base and the extra part holds it whole.
    void outputFormats_data() {
        QTest::addColumn<WaveFormatEx>("wave");
        QTest::addColumn<QString>("output"); // empty: refused
        const WaveFormatEx stereo16 = Format(16, 2, 44100);
        WaveFormatEx oneChannelFrames = stereo16, shortExtra = Extensible(stereo16, 1),
                     highByte = Extensible(stereo16, 1);
        oneChannelFrames.BlockAlign = 2;
        shortExtra.ExtraSize = 21;
        highByte.SubFormat[1] = 1;
        // clang-format off
        QTest::newRow("8-bit mono") << Format(8, 1, 8000) << "UInt8 1 8000";
        QTest::newRow("24-bit, widened") << Format(24, 2, 48000) << "Int32 2 48000 widened";
        QTest::newRow("32-bit") << Format(32, 1, 96000) << "Int32 1 96000";
        QTest::newRow("float") << Format(32, 2, 22050, WaveFormatIeeeFloat) << "Float 2 22050";
        QTest::newRow("extensible PCM") << Extensible(stereo16, WaveFormatPcm) << "Int16 2 44100";
        QTest::newRow("extensible float") << Extensible(Format(32, 1, 96000), WaveFormatIeeeFloat) << "Float 1 96000";
        QTest::newRow("ADPCM") << Format(16, 2, 44100, 2) << "";
        QTest::newRow("12-bit") << Format(12, 2, 44100) << "";
        QTest::newRow("frames of one channel") << oneChannelFrames << "";
        QTest::newRow("rate 0") << Format(16, 2, 0) << "";
        QTest::newRow("extensible, foreign base") << Extensible(stereo16, 1, 0x72) << "";
        QTest::newRow("extensible, extra part too short") << shortExtra << "";
        QTest::newRow("extensible, coding 0x101") << highByte << "";
        // clang-format on
    }
    void outputFormats() {
        QFETCH(WaveFormatEx, wave);
        QString shown;
        if (const std::optional<OutputFormat> output = OutputFormatFor(wave))
            QDebug(&shown).nospace()
                << output->format.sampleFormat() << ' ' << output->format.channelCount() << ' '
                << output->format.sampleRate() << (output->widen24To32 ? " widened" : "");
        QTEST(shown, "output");
    }

    // Each 24-bit sample becomes the top three bytes of a 32-bit one.
    void widens24BitSamples() {
        QCOMPARE(Widen24To32("\x01\x02\x03\x04\x05\x06\x07"), "\0\x01\x02\x03\0\x04\x05\x06"_ba);
    }
};

QTEST_GUILESS_MAIN(OutputFormatTest)
#include "OutputFormatTest.moc"
