// Playback through Qt to a real sound server: the private PulseAudio daemon
// of with-pulseaudio.sh, whose null sink is recorded through its monitor.

#include "SoundTestSupport.h"

#include "sound/ProcessExit.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/module/QtAudioOutput.h"

#include <QProcess>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

using namespace velmora;
using namespace velmora::test;

class QtAudioOutputTest : public QObject {
    Q_OBJECT

    static constexpr int RecordRate = 44100; // the recording: 16-bit mono
    QTemporaryDir dir_;
    QProcess recorder_;
    QtAudioOutput output_;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(qEnvironmentVariableIsSet("VELMORA_TEST_SINK"), "run me with with-pulseaudio.sh");
        recorder_.start("parec",
                        {"--device=" + qEnvironmentVariable("VELMORA_TEST_SINK") + ".monitor",
                         "--format=s16le", "--channels=1", QString("--rate=%1").arg(RecordRate),
                         "--latency-msec=10"});
        // The monitor delivers silence from the start: wait for the first of it.
        QTRY_VERIFY_WITH_TIMEOUT(recorder_.bytesAvailable() > qint64(RecordRate / 10), 5000);
    }
    void cleanupTestCase() {
        recorder_.kill();
        recorder_.waitForFinished();
        dir_.remove();
    }

    // A stop cuts a sound off at once; played out, each format arrives whole,
    // end included, at the level of its 0.4 s sine tone. The 24-bit tone is so
    // quiet that only the middle byte of each sample carries it.
    void soundArrivesAtSink_data() {
        QTest::addColumn<WaveFormatEx>("format");
        QTest::addColumn<double>("level"); // 1 = full scale
        QTest::newRow("8-bit mono 8 kHz") << Format(8, 1, 8000) << 0.5;
        QTest::newRow("16-bit stereo 44.1 kHz") << Format(16, 2, 44100) << 0.5;
        QTest::newRow("24-bit stereo 48 kHz") << Format(24, 2, 48000) << 0.5 / 256;
        QTest::newRow("float stereo 22.05 kHz") << Format(32, 2, 22050, Coding::Float) << 0.5;
        QTest::newRow("extensible 32-bit mono 96 kHz")
            << Format(32, 1, 96000, Coding::ExtensiblePcm) << 0.5;
    }
    void soundArrivesAtSink() {
        QFETCH(WaveFormatEx, format);
        QFETCH(double, level);
        QByteArray data;
        const int bits = format.BitsPerSample;
        for (std::uint32_t frame = 0; frame < format.SamplesPerSec * 2 / 5; ++frame) {
            const double v =
                level * std::sin(2000.0 * std::numbers::pi * frame / format.SamplesPerSec);
            for (int channel = 0; channel < format.Channels; ++channel) {
                if (format.FormatTag == WaveFormatIeeeFloat)
                    Append<float>(data, float(v));
                else if (bits == 8)
                    Append<quint8>(data, quint8(std::lround(128.0 + v * 127.0)));
                else
                    Append<qint64>(data, std::llround(v * (std::ldexp(1.0, bits - 1) - 1.0)),
                                   bits / 8);
            }
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
        const auto* begin = reinterpret_cast<const qint16*>(bytes.constData());
        const auto* end = begin + bytes.size() / 2;

        // The sound lasts from the first to the last sample above half its amplitude.
        const double amplitude = level * 32767.0;
        const auto loud = [&](qint16 sample) { return std::abs(sample) > amplitude / 2; };
        const auto* first = std::find_if(begin, end, loud);
        const auto* last =
            std::find_if(std::reverse_iterator(end), std::reverse_iterator(begin), loud).base();
        const double seconds = double(last - first) / RecordRate;
        QVERIFY2(std::abs(seconds - 0.4) < 0.03, qPrintable(QString::number(seconds)));
        double sum = 0.0;
        for (const auto* sample = first; sample < last; ++sample)
            sum += double(*sample) * *sample;
        const double decibels =
            10.0 * std::log10(2.0 * sum / double(last - first) / (amplitude * amplitude));
        QVERIFY2(std::abs(decibels) < 1.0, qPrintable(QString::number(decibels)));
    }

    // A device that does not exist (as none does without a sound server), formats
    // Qt cannot take as they are or whose frames do not fit, and a range outside
    // the samples are refused.
    void refusesWhatItCannotPlay() {
        const WaveFormatEx pcm = Format(16, 2, 44100);
        QCOMPARE(output_.Open(99, pcm, {}), NoDevice);
        WaveFormatEx adpcm = pcm, bits12 = pcm, oneChannelFrames = pcm;
        adpcm.FormatTag = 2;
        bits12.BitsPerSample = 12;
        oneChannelFrames.BlockAlign = 2;
        for (const WaveFormatEx& format :
             {adpcm, bits12, oneChannelFrames, Format(16, 2, 44100, Coding::ExtensibleOther)}) {
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
