// Playback through Qt to a real sound server: the private PulseAudio daemon
// of with-pulseaudio.sh, whose null sink is recorded through its monitor.

#include "SoundTestSupport.h"

#include "sound/ProcessExit.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/module/QtAudioOutput.h"

#include <QProcess>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace velmora;
using namespace velmora::test;

class QtAudioOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QProcess recorder_;
    QtAudioOutput output_;

private Q_SLOTS:
    void initTestCase() {
        const QString sink = qEnvironmentVariable("VELMORA_TEST_SINK");
        QVERIFY2(!sink.isEmpty(), "run me with with-pulseaudio.sh");
        recorder_.start("parec", {"--device=" + sink + ".monitor", "--format=s16le", "--channels=1",
                                  "--rate=44100", "--latency-msec=10"});
        // The monitor delivers silence from the start: wait for the first of it.
        QTRY_VERIFY_WITH_TIMEOUT(recorder_.bytesAvailable() > 4410, 5000);
    }
    void cleanupTestCase() {
        recorder_.kill();
        recorder_.waitForFinished();
        dir_.remove();
    }

    // A stop cuts a sound off at once; played out, each format's 0.4 s sine
    // tone arrives whole at its level. The 24-bit tone is so quiet that only
    // the middle byte of each sample carries it.
    void soundArrivesAtSink_data() {
        QTest::addColumn<WaveFormatEx>("format");
        QTest::addColumn<double>("level"); // 1 = full scale
        QTest::newRow("8-bit mono 8 kHz") << Format(8, 1, 8000) << 0.5;
        QTest::newRow("16-bit stereo 44.1 kHz") << Format(16, 2, 44100) << 0.5;
        QTest::newRow("24-bit stereo 48 kHz") << Format(24, 2, 48000) << 0.5 / 256;
        QTest::newRow("float stereo 22.05 kHz") << Format(32, 2, 22050, WaveFormatIeeeFloat) << 0.5;
        QTest::newRow("extensible 32-bit mono 96 kHz")
            << Extensible(Format(32, 1, 96000), WaveFormatPcm) << 0.5;
    }
    void soundArrivesAtSink() {
        QFETCH(WaveFormatEx, format);
        QFETCH(double, level);
        QByteArray data;
        const int bits = format.BitsPerSample;
        for (std::uint32_t frame = 0; frame < format.SamplesPerSec * 2 / 5; ++frame) {
            const double v =
                level * std::sin(2000.0 * std::numbers::pi * frame / format.SamplesPerSec);
            QByteArray sample; // of 8 bits unsigned, of more signed
            if (format.FormatTag == WaveFormatIeeeFloat)
                Append<float>(sample, float(v));
            else
                Append<qint64>(
                    sample, std::llround(v * (std::ldexp(1.0, bits - 1) - 1.0)) + (bits == 8) * 128,
                    bits / 8);
            data += sample.repeated(format.Channels);
        }
        const QString path = WriteFile(dir_, "tone.wav", WaveFile(format, data));
        SoundPlayerUncompressedWAV player(output_);
        player.PlayFile(path);
        player.StopWave();
        QVERIFY(!player.WavePlaying() && !output_.IsOpen());
        QTest::qWait(100);
        recorder_.readAllStandardOutput(); // silence so far, or a blip of the sound cut off
        player.PlayFile(path);
        QVERIFY(player.WavePlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 3000);
        QTest::qWait(100);
        const QByteArray bytes = recorder_.readAllStandardOutput();

        // A sine is above half its amplitude for 2/3 of the time: for 0.4 s of
        // tone 0.27 s, some 0.03 s less or more if cut short or 1 dB off its level.
        const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
        const double loud = std::count_if(samples, samples + bytes.size() / 2, [&](qint16 s) {
            return std::abs(s) > level * 32767.0 / 2;
        });
        const double seconds = 1.5 * loud / 44100; // the recording: 16-bit mono at 44.1 kHz
        QVERIFY2(std::abs(seconds - 0.4) < 0.03, qPrintable(QString::number(seconds)));
    }

    // A device that does not exist (as none does without a sound server), formats
    // Qt cannot take as they are or whose frames do not fit, and a range outside
    // the samples are refused.
    void refusesWhatItCannotPlay() {
        const WaveFormatEx pcm = Format(16, 2, 44100);
        QCOMPARE(output_.Open(99, pcm, {}), NoDevice);
        WaveFormatEx oneChannelFrames = pcm;
        oneChannelFrames.BlockAlign = 2;
        for (const WaveFormatEx& format : {Format(16, 2, 44100, 2), Format(12, 2, 44100),
                                           oneChannelFrames, Extensible(pcm, 1, 0)}) {
            QCOMPARE(output_.Open(-1, pcm, {}), Success);
            QCOMPARE(output_.Write(QByteArray(8, '\0'), -4, 4), Failed);
            QCOMPARE(output_.Open(-1, format, {}), BadFormat);
            QVERIFY(!output_.IsOpen()); // the refusal released the one before
        }
    }
};

// The process ends as the program's does, past Qt Multimedia's exit handlers.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QtAudioOutputTest test;
    ExitSkippingLibraryTeardown(QTest::qExec(&test, argc, argv) == 0 ? 0 : 1);
}
#include "QtAudioOutputTest.moc"
