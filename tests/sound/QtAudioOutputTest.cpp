// Playback through Qt to a real sound server: the private PulseAudio daemon
// of with-pulseaudio.sh, whose null sink is recorded through its monitor.

#include "SoundTestSupport.h"

#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/WaveSoundCues.h"
#include "sound/module/QtAudioOutput.h"

#include <QProcess>

#include <cstring>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr std::size_t RecordRate = 44100; // the recording: 16-bit mono
using Recording = std::vector<qint16>;

// Decibels between the level of samples [first, last) and a sine of `level` (1 = full scale).
double DecibelsFrom(const Recording& samples, std::size_t first, std::size_t last, double level) {
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i)
        sum += double(samples[i]) * samples[i];
    return 20.0 *
           std::log10(std::sqrt(sum / double(last - first)) / (level * 32767.0 / std::sqrt(2.0)));
}

// Where the recording holds sound: from the first to the last 10 ms that do.
struct Span {
    std::size_t first = 0, last = 0;
    double Seconds() const { return double(last - first) / RecordRate; }
};
Span SoundSpan(const Recording& samples) {
    constexpr std::size_t Window = RecordRate / 100;
    Span span;
    for (std::size_t at = 0; at + Window <= samples.size(); at += Window) {
        if (DecibelsFrom(samples, at, at + Window, 1.0) > -38.0)
            span = Span{span.last ? span.first : at, at + Window};
    }
    return span;
}

int SinkInputs() {
    QProcess pactl;
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    pactl.waitForFinished();
    return int(pactl.readAllStandardOutput().count('\n'));
}

} // namespace

class QtAudioOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QProcess recorder_;
    QtAudioOutput output_;
    RecordingMessages messages_;

    // What the sink has played since the last call, once a sound has ended.
    Recording Recorded() {
        QTest::qWait(100);
        const QByteArray bytes = recorder_.readAllStandardOutput();
        Recording samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        return samples;
    }

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
    void init() { Recorded(); }
    void cleanupTestCase() {
        recorder_.kill();
        recorder_.waitForFinished();
    }

    // Each format arrives whole, end included, at the level it was written with.
    void soundArrivesAtSink_data() {
        QTest::addColumn<WaveKind>("kind");
        QTest::newRow("8-bit mono 8 kHz") << WaveKind{8, 1, 8000};
        QTest::newRow("16-bit stereo 44.1 kHz") << WaveKind{16, 2, 44100};
        QTest::newRow("24-bit stereo 48 kHz") << WaveKind{24, 2, 48000};
        QTest::newRow("float stereo 22.05 kHz") << WaveKind{32, 2, 22050, Coding::Float};
        QTest::newRow("extensible 32-bit mono 96 kHz")
            << WaveKind{32, 1, 96000, Coding::ExtensiblePcm};
    }
    void soundArrivesAtSink() {
        QFETCH(WaveKind, kind);
        WriteFile(dir_, "GameOver.wav", WaveFile(kind, ToneData(kind, 0.4)));
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues(player, messages_, dir_.path()).Play(Cue::GameOver);
        QVERIFY(player.WavePlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 3000);
        const Recording recorded = Recorded();
        const Span span = SoundSpan(recorded);
        QVERIFY2(std::abs(span.Seconds() - 0.4) < 0.03,
                 qPrintable(QString::number(span.Seconds())));
        const std::size_t quarter = (span.last - span.first) / 4;
        const double decibels =
            DecibelsFrom(recorded, span.first + quarter, span.last - quarter, 0.5);
        QVERIFY2(std::abs(decibels) < 1.0, qPrintable(QString::number(decibels)));
    }

    // Formats Qt cannot take as they are, or whose frames do not fit, are refused.
    void refusesFormatsItCannotPlay() {
        const WaveFormatEx pcm = ParseWaveFormat(Fmt({16, 2, 44100}));
        const WaveFormatEx extensible = ParseWaveFormat(Fmt({16, 2, 44100, Coding::ExtensiblePcm}));
        WaveFormatEx adpcm = pcm, bits12 = pcm, oneChannelFrames = pcm,
                     unknownSubformat = extensible;
        adpcm.FormatTag = 2;
        bits12.BitsPerSample = 12;
        oneChannelFrames.BlockAlign = 2;
        unknownSubformat.SubFormat[15] = 0;
        for (const WaveFormatEx& format : {adpcm, bits12, oneChannelFrames, unknownSubformat}) {
            QCOMPARE(output_.Open(-1, format, {}), BadFormat);
            QVERIFY(!output_.IsOpen());
        }
    }

    // A cue cuts off the one sounding; playing ends by itself at the end, or at StopWave.
    void cuesEndByThemselvesOrAtStop() {
        const WaveKind mono{16, 1, 44100};
        WriteFile(dir_, "ChangePlayer.wav", WaveFile(mono, ToneData(mono, 1.0, 0.2)));
        WriteFile(dir_, "GameOver.wav", WaveFile(mono, ToneData(mono, 0.3, 0.6)));
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, messages_, dir_.path());
        cues.Play(Cue::ChangePlayer);
        QTest::qWait(300);
        cues.Play(Cue::GameOver);
        QCOMPARE(SinkInputs(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!player.WavePlaying(), 3000);
        QVERIFY(!output_.IsOpen());
        QCOMPARE(SinkInputs(), 0);
        // About 0.3 s of the quiet first cue, then all of the loud second one.
        const Recording recorded = Recorded();
        const Span span = SoundSpan(recorded);
        QVERIFY2(span.Seconds() > 0.45 && span.Seconds() < 0.8,
                 qPrintable(QString::number(span.Seconds())));
        const std::size_t tenth = RecordRate / 10;
        QVERIFY(std::abs(DecibelsFrom(recorded, span.first, span.first + tenth, 0.2)) < 1.0);
        QVERIFY(std::abs(DecibelsFrom(recorded, span.last - tenth, span.last, 0.6)) < 1.0);

        cues.Play(Cue::ChangePlayer);
        QTest::qWait(200);
        player.StopWave();
        QVERIFY(!player.WavePlaying());
        QCOMPARE(SinkInputs(), 0);
        const double seconds = SoundSpan(Recorded()).Seconds();
        QVERIFY2(seconds > 0.1 && seconds < 0.5, qPrintable(QString::number(seconds)));
    }

    // Each cue releases the output of the one before: nothing piles up.
    void thousandCuesHoldOneOutput() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, messages_, VELMORA_SOUND_DIRECTORY);
        cues.Play(Cue::ChangePlayer);
        QTRY_VERIFY_WITH_TIMEOUT(!output_.IsOpen(), 3000);
        const qsizetype descriptorsOfOne = OpenFileDescriptors();
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

VELMORA_SOUND_TEST_MAIN(QCoreApplication, QtAudioOutputTest)
#include "QtAudioOutputTest.moc"
