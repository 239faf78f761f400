// Playback through Qt to a real sound server: the private PulseAudio daemon
// of with-pulseaudio.sh, whose null sink the test records through its monitor.

#include "ScriptedModalRunner.h"
#include "SinkMonitor.h"
#include "SoundTestMain.h"
#include "WaveBytes.h"

#include "sound/QtAudioOutput.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundResult.h"
#include "sound/WaveSoundCues.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr double FullScale = 32767.0;

double Decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

} // namespace

class QtAudioOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    SinkMonitor monitor_;
    QtAudioOutput output_;
    ScriptedModalRunner modal_;

    void Play(SoundPlayerUncompressedWAV& player, const WaveSpec& spec, const QByteArray& data) {
        player.LoadWave(WriteFile(dir_, QStringLiteral("sound.wav"), WaveFile(spec, data)));
        QVERIFY(player.WaveLoaded);
        player.PlayStart = 0;
        player.PlayEnd = player.SampleFrames();
        player.PlayWave(-1);
        QCOMPARE(player.LastResult(), Success);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(qEnvironmentVariableIsSet("VELMORA_TEST_SINK"), "run me with with-pulseaudio.sh");
        QVERIFY(monitor_.Start());
    }
    void init() { monitor_.Take(); }

    // Every format arrives whole, at the level it was written with.
    void soundArrivesAtTheSink_data() {
        QTest::addColumn<WaveSpec>("spec");
        QTest::newRow("8-bit mono 8 kHz") << WaveSpec{SampleCode::Pcm8, 1, 8000, false};
        QTest::newRow("16-bit stereo 44.1 kHz") << WaveSpec{SampleCode::Pcm16, 2, 44100, false};
        QTest::newRow("24-bit mono 48 kHz") << WaveSpec{SampleCode::Pcm24, 1, 48000, false};
        QTest::newRow("32-bit stereo 96 kHz") << WaveSpec{SampleCode::Pcm32, 2, 96000, false};
        QTest::newRow("float stereo 22.05 kHz") << WaveSpec{SampleCode::Float32, 2, 22050, false};
        QTest::newRow("extensible 24-bit stereo") << WaveSpec{SampleCode::Pcm24, 2, 44100, true};
        QTest::newRow("extensible float mono") << WaveSpec{SampleCode::Float32, 1, 48000, true};
    }
    void soundArrivesAtTheSink() {
        QFETCH(WaveSpec, spec);
        constexpr double Seconds = 0.4;
        constexpr double Level = 0.5;
        SoundPlayerUncompressedWAV player(output_);
        Play(player, spec, ToneData(spec, Seconds, 1000.0, Level));
        QVERIFY(player.WavePlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 3000);
        QTest::qWait(100);

        const std::vector<std::int16_t> recorded = monitor_.Take();
        const std::optional<Span> span = SoundSpan(recorded);
        QVERIFY(span);
        // Its end too: a sink stopped too early loses the last 100 ms or so.
        QVERIFY2(std::abs(span->Seconds() - Seconds) < 0.03,
                 qPrintable(QString::number(span->Seconds())));
        const std::size_t quarter = (span->last - span->first) / 4;
        const double level = Rms(recorded, span->first + quarter, span->last - quarter);
        const double expected = Level / std::sqrt(2.0) * FullScale;
        QVERIFY2(std::abs(Decibels(level / expected)) < 1.0, qPrintable(QString::number(level)));
    }

    void nextCueCutsOffTheSoundingOne() {
        const WaveSpec mono{SampleCode::Pcm16, 1, 44100, false};
        QTemporaryDir cueDir;
        WriteFile(cueDir, QStringLiteral("ChangePlayer.wav"),
                  WaveFile(mono, ToneData(mono, 1.0, 440.0, 0.2)));
        WriteFile(cueDir, QStringLiteral("GameOver.wav"),
                  WaveFile(mono, ToneData(mono, 0.3, 880.0, 0.6)));
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, cueDir.path());

        cues.Play(Cue::ChangePlayer);
        QTest::qWait(300);
        QVERIFY(player.WavePlaying());
        cues.Play(Cue::GameOver);
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 3000);
        QTest::qWait(100);

        const std::vector<std::int16_t> recorded = monitor_.Take();
        const std::optional<Span> span = SoundSpan(recorded);
        QVERIFY(span);
        // About 0.3 s of the first cue, then the whole second one; nothing after it.
        QVERIFY2(span->Seconds() > 0.45 && span->Seconds() < 0.8,
                 qPrintable(QString::number(span->Seconds())));
        const std::size_t tenth = SinkMonitor::RecordRate / 10;
        const double first = Rms(recorded, span->first, span->first + tenth);
        const double last = Rms(recorded, span->last - tenth, span->last);
        QVERIFY2(std::abs(Decibels(first / (0.2 / std::sqrt(2.0) * FullScale))) < 1.0,
                 qPrintable(QString::number(first)));
        QVERIFY2(std::abs(Decibels(last / (0.6 / std::sqrt(2.0) * FullScale))) < 1.0,
                 qPrintable(QString::number(last)));
    }

    void playingEndsByItself() {
        const WaveSpec mono{SampleCode::Pcm16, 1, 48000, false};
        SoundPlayerUncompressedWAV player(output_);
        Play(player, mono, ToneData(mono, 0.2));
        QVERIFY(player.WavePlaying());
        QCOMPARE(SinkInputs(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 2000);
        QVERIFY(!output_.IsOpen());
        QCOMPARE(SinkInputs(), 0);
    }

    void stopWaveEndsPlayingAtOnce() {
        const WaveSpec mono{SampleCode::Pcm16, 1, 48000, false};
        SoundPlayerUncompressedWAV player(output_);
        Play(player, mono, ToneData(mono, 2.0));
        QTest::qWait(200);
        player.StopWave();
        QVERIFY(!player.WavePlaying());
        QVERIFY(!output_.IsOpen());
        QTest::qWait(300);

        const std::optional<Span> span = SoundSpan(monitor_.Take());
        QVERIFY(span);
        QVERIFY2(span->Seconds() < 0.5, qPrintable(QString::number(span->Seconds())));
        QCOMPARE(SinkInputs(), 0);
    }

    // Each cue releases the output of the one before: no streams or file
    // descriptors pile up.
    void thousandCuesHoldOneOutput() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, QStringLiteral(VELMORA_SOUND_DIRECTORY));
        cues.Play(Cue::ChangePlayer);
        QTRY_VERIFY_WITH_TIMEOUT(!output_.IsOpen(), 3000);
        const int descriptorsForOne = OpenFileDescriptors();

        for (int i = 0; i < 1000; ++i) {
            cues.Play(i % 3 == 0 ? Cue::GameOver : Cue::ChangePlayer);
            QCOMPARE(player.LastResult(), Success);
            QCoreApplication::processEvents();
        }
        QVERIFY(player.WavePlaying());
        QCOMPARE(SinkInputs(), 1);
        QVERIFY(OpenFileDescriptors() <= descriptorsForOne + 1);

        QTRY_VERIFY_WITH_TIMEOUT(!output_.IsOpen(), 3000);
        QVERIFY(!player.WavePlaying());
        QCOMPARE(SinkInputs(), 0);
        QVERIFY(OpenFileDescriptors() <= descriptorsForOne);
    }
};

VELMORA_SOUND_TEST_MAIN(QtAudioOutputTest)
#include "QtAudioOutputTest.moc"
