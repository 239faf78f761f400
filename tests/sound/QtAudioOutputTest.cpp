// Playback through Qt to a real sound server: the private PulseAudio daemon
// of with-pulseaudio.sh, whose null sink is recorded through its monitor.

#include "ScriptedModalRunner.h"
#include "SoundTestMain.h"
#include "WaveBytes.h"

#include "sound/QtAudioOutput.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundResult.h"
#include "sound/WaveSoundCues.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr int RecordRate = 44100; // the recording: 16-bit mono
using Recording = std::vector<qint16>;

double Rms(const Recording& samples, std::size_t first, std::size_t last) {
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(last - first));
}

// Where the recording holds sound: from the first to the last 10 ms that do.
struct Span {
    std::size_t first, last;
    double Seconds() const { return double(last - first) / RecordRate; }
};
std::optional<Span> SoundSpan(const Recording& samples) {
    constexpr std::size_t Window = RecordRate / 100;
    std::optional<Span> span;
    for (std::size_t at = 0; at + Window <= samples.size(); at += Window) {
        if (Rms(samples, at, at + Window) > 300.0)
            span = Span{span ? span->first : at, at + Window};
    }
    return span;
}

// Decibels between a recorded level and a sine of `level` (1 = full scale).
double DecibelsFrom(double rms, double level) {
    return 20.0 * std::log10(rms / (level * 32767.0 / std::sqrt(2.0)));
}

int SinkInputs() {
    QProcess pactl;
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    pactl.waitForFinished();
    return int(pactl.readAllStandardOutput().count('\n'));
}

int OpenFileDescriptors() {
    return int(QDir("/proc/self/fd")
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

} // namespace

class QtAudioOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QProcess recorder_;
    QtAudioOutput output_;
    ScriptedModalRunner modal_;

    // What the sink has played since the last call, once a sound has ended.
    Recording Recorded() {
        QTest::qWait(100);
        const QByteArray bytes = recorder_.readAllStandardOutput();
        Recording samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        return samples;
    }
    void Play(SoundPlayerUncompressedWAV& player, const WaveKind& kind, const QByteArray& data) {
        player.LoadWave(WriteFile(dir_, "sound.wav", WaveFile(kind, data)));
        player.PlayEnd = player.SampleFrames();
        player.PlayWave(-1);
        QCOMPARE(player.LastResult(), Success);
        QVERIFY(player.WavePlaying());
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(qEnvironmentVariableIsSet("VELMORA_TEST_SINK"), "run me with with-pulseaudio.sh");
        recorder_.start("parec",
                        {"--device=" + qEnvironmentVariable("VELMORA_TEST_SINK") + ".monitor",
                         "--format=s16le", "--channels=1", QString("--rate=%1").arg(RecordRate),
                         "--latency-msec=10"});
        // The monitor delivers silence from the start: wait for the first of it.
        QTRY_VERIFY_WITH_TIMEOUT(recorder_.bytesAvailable() > RecordRate / 10, 5000);
    }
    void init() { Recorded(); }
    void cleanupTestCase() {
        recorder_.kill();
        recorder_.waitForFinished();
    }

    // Every format arrives whole, end included, at the level it was written with.
    void soundArrivesAtSink_data() {
        QTest::addColumn<WaveKind>("kind");
        QTest::newRow("8-bit mono 8 kHz") << WaveKind{SampleCode::Pcm8, 1, 8000};
        QTest::newRow("16-bit stereo 44.1 kHz") << WaveKind{SampleCode::Pcm16, 2, 44100};
        QTest::newRow("24-bit mono 48 kHz") << WaveKind{SampleCode::Pcm24, 1, 48000};
        QTest::newRow("32-bit stereo 96 kHz") << WaveKind{SampleCode::Pcm32, 2, 96000};
        QTest::newRow("float stereo 22.05 kHz") << WaveKind{SampleCode::Float32, 2, 22050};
        QTest::newRow("extensible 24-bit stereo") << WaveKind{SampleCode::Pcm24, 2, 44100, true};
        QTest::newRow("extensible float mono") << WaveKind{SampleCode::Float32, 1, 48000, true};
    }
    void soundArrivesAtSink() {
        QFETCH(WaveKind, kind);
        SoundPlayerUncompressedWAV player(output_);
        Play(player, kind, ToneData(kind, 0.4, 0.5));
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 3000);
        const Recording recorded = Recorded();
        const std::optional<Span> span = SoundSpan(recorded);
        QVERIFY(span);
        QVERIFY2(std::abs(span->Seconds() - 0.4) < 0.03,
                 qPrintable(QString::number(span->Seconds())));
        const std::size_t quarter = (span->last - span->first) / 4;
        const double level = Rms(recorded, span->first + quarter, span->last - quarter);
        QVERIFY2(std::abs(DecibelsFrom(level, 0.5)) < 1.0, qPrintable(QString::number(level)));
    }

    void nextCueCutsOffSoundingOne() {
        const WaveKind mono{SampleCode::Pcm16, 1, 44100};
        WriteFile(dir_, "ChangePlayer.wav", WaveFile(mono, ToneData(mono, 1.0, 0.2, 440.0)));
        WriteFile(dir_, "GameOver.wav", WaveFile(mono, ToneData(mono, 0.3, 0.6, 880.0)));
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, dir_.path());
        cues.Play(Cue::ChangePlayer);
        QTest::qWait(300);
        cues.Play(Cue::GameOver);
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 3000);

        // About 0.3 s of the quiet first cue, then all of the loud second one.
        const Recording recorded = Recorded();
        const std::optional<Span> span = SoundSpan(recorded);
        QVERIFY(span);
        QVERIFY2(span->Seconds() > 0.45 && span->Seconds() < 0.8,
                 qPrintable(QString::number(span->Seconds())));
        const std::size_t tenth = RecordRate / 10;
        QVERIFY(std::abs(DecibelsFrom(Rms(recorded, span->first, span->first + tenth), 0.2)) < 1.0);
        QVERIFY(std::abs(DecibelsFrom(Rms(recorded, span->last - tenth, span->last), 0.6)) < 1.0);
    }

    void playingEndsByItselfOrAtStop() {
        const WaveKind mono{SampleCode::Pcm16, 1, 48000};
        SoundPlayerUncompressedWAV player(output_);
        Play(player, mono, ToneData(mono, 0.2));
        QCOMPARE(SinkInputs(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 2000);
        QVERIFY(!output_.IsOpen());
        QCOMPARE(SinkInputs(), 0);

        Recorded();
        Play(player, mono, ToneData(mono, 2.0));
        QTest::qWait(200);
        player.StopWave();
        QVERIFY(!player.WavePlaying());
        QCOMPARE(SinkInputs(), 0);
        const std::optional<Span> span = SoundSpan(Recorded());
        QVERIFY(span && span->Seconds() < 0.5);
    }

    // Each cue releases the output of the one before: nothing piles up.
    void thousandCuesHoldOneOutput() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, VELMORA_SOUND_DIRECTORY);
        cues.Play(Cue::ChangePlayer);
        QTRY_VERIFY_WITH_TIMEOUT(!output_.IsOpen(), 3000);
        const int descriptorsOfOne = OpenFileDescriptors();
        for (int i = 0; i < 1000; ++i) {
            cues.Play(i % 3 ? Cue::ChangePlayer : Cue::GameOver);
            QCOMPARE(player.LastResult(), Success);
            QCoreApplication::processEvents();
        }
        QCOMPARE(SinkInputs(), 1);
        QVERIFY(OpenFileDescriptors() <= descriptorsOfOne + 1);
        QTRY_VERIFY_WITH_TIMEOUT(!output_.IsOpen(), 3000);
        QCOMPARE(SinkInputs(), 0);
        QVERIFY(OpenFileDescriptors() <= descriptorsOfOne);
    }
};

VELMORA_SOUND_TEST_MAIN(QtAudioOutputTest)
#include "QtAudioOutputTest.moc"
