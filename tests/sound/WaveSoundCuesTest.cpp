// The cue file paths, the cue sequence against a fake output, the cue
// thread, and the two cue sounds the build generates.

#include "SoundTestSupport.h"

#include "sound/CuePaths.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundThread.h"
#include "sound/WaveSoundCues.h"

#include <QMutex>
#include <QSemaphore>

#include <algorithm>
#include <atomic>
#include <stdexcept>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveKind Mono16{16, 1, 44100};
const QByteArray ChangePlayerData = ToneData(Mono16, 0.05);

// Outputs that log "<output>:<bytes written>" and "<output>:reset"; while
// `hold` is set, an Open waits for `gate`, as Qt's does for a stopped server.
struct GatedOutputs {
    QStringList Log() {
        QMutexLocker lock(&mutex);
        return log;
    }
    QMutex mutex;
    QStringList log;
    std::atomic<bool> hold{false};
    std::atomic<int> made{0};
    QSemaphore entered, gate;
};
class GatedOutput final : public AudioOutput {
public:
    explicit GatedOutput(GatedOutputs& all) : all_(all), name_(QString::number(++all.made)) {}
    std::int32_t Open(int, const WaveFormatEx&, DoneHandler) override {
        if (all_.hold) {
            all_.entered.release();
            all_.gate.acquire();
        }
        return Success;
    }
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) override {
        Add(QString::fromLatin1(samples.mid(offset, length)));
        return Success;
    }
    void Reset() override { Add(u"reset"_s); }

private:
    void Add(const QString& entry) {
        QMutexLocker lock(&all_.mutex);
        all_.log << name_ + u':' + entry;
    }
    GatedOutputs& all_;
    QString name_;
};

} // namespace

class WaveSoundCuesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_; // holds ChangePlayer.wav, but no GameOver.wav
    FakeAudioOutput output_;
    RecordingMessages messages_;

private Q_SLOTS:
    void initTestCase() { WriteFile(dir_, "ChangePlayer.wav", WaveFile(Mono16, ChangePlayerData)); }
    void init() {
        output_ = FakeAudioOutput();
        messages_ = RecordingMessages();
    }

    void pathsHaveOneSeparator() {
        for (const QString directory : {"/opt/velmora", "/opt/velmora/"}) {
            QCOMPARE(ChangePlayerWavePath(directory, messages_), "/opt/velmora/ChangePlayer.wav");
            QCOMPARE(GameOverWavePath(directory, messages_), "/opt/velmora/GameOver.wav");
        }
        QCOMPARE(GameOverWavePath("/", messages_), "/GameOver.wav");
        QVERIFY(messages_.shown.empty());
    }

    // Each cue cuts off the one sounding and plays whole the file it loads,
    // or else the sample held before, or nothing; it never shows a message.
    void missingFilePlaysHeldSampleOrNothing() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, messages_, dir_.path());
        cues.Play(Cue::GameOver);
        QVERIFY(output_.calls.isEmpty());
        cues.Play(Cue::ChangePlayer);
        player.PlayStart = 100;
        cues.Play(Cue::GameOver);
        QVERIFY(!player.WaveLoaded);
        QCOMPARE(output_.calls, QStringList({"Open", "Write", "Reset", "Open", "Write"}));
        QCOMPARE(output_.written, ChangePlayerData);
        QVERIFY(messages_.shown.empty());
    }

    void emptyDirectoryTellsUserAndPlaysNothing() {
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(dir_.filePath("ChangePlayer.wav"));
        WaveSoundCues cues(player, messages_, QString());
        // A step that fails stays inside the cue: the next steps still run.
        messages_.onShow = [] { throw std::runtime_error("message failed"); };
        cues.Play(Cue::GameOver);
        QCOMPARE(output_.written, ChangePlayerData);

        messages_.onShow = nullptr;
        cues.Play(Cue::GameOver); // the empty path releases the held sample
        QVERIFY(!player.HoldsSample());
        QCOMPARE(output_.calls, QStringList({"Open", "Write", "Reset"}));
        QCOMPARE(messages_.shown, QStringList(2, "Critical: Application path undefined!"));
    }

    // The cue thread: a cue returns at once while the output waits, the latest
    // waiting cue wins, a late one is dropped or cut off, and a thread stuck in
    // its output is left for a fresh one.
    void cueThreadNeverWaits() {
        for (const char* name : {"A", "C"})
            WriteFile(dir_, name + u".wav"_s, WaveFile(Mono16, QByteArray(4, name[0])));
        GatedOutputs outputs;
        SoundThread sound([&] { return std::make_unique<GatedOutput>(outputs); },
                          {.cueDeadlineMs = 1000, .stuckAfterMs = 1500, .exitWaitMs = 1000});
        const auto play = [&](const char* name) {
            sound.PlayFile(dir_.filePath(name + u".wav"_s));
        };
        const auto playHeld = [&](const char* name) {
            outputs.hold = true;
            play(name);
            outputs.entered.acquire();
        };
        const auto release = [&] {
            outputs.hold = false;
            outputs.gate.release();
        };
        playHeld("A");
        play("missing");
        play("C");
        release();
        QTRY_COMPARE(outputs.Log(), QStringList({"1:AAAA", "1:reset", "1:CCCC"}));
        playHeld("A");
        play("C");
        QTest::qWait(1200);
        release();
        QTRY_COMPARE(outputs.Log().mid(3), QStringList({"1:reset", "1:AAAA", "1:reset"}));
        playHeld("A");
        QTest::qWait(1600);
        outputs.hold = false;
        play("C");
        QTRY_COMPARE(outputs.Log().mid(6), QStringList({"1:reset", "2:CCCC"}));
        release();
    }

    // Valid 16-bit PCM at 44.1 or 48 kHz, of a fitting length, faded in and out (no clicks).
    void generatedSoundsAreClean() {
        const struct {
            Cue cue;
            double shortest, longest;
        } sounds[] = {{Cue::ChangePlayer, 0.03, 0.5}, {Cue::GameOver, 1.0, 2.0}};
        for (const auto& [cue, shortest, longest] : sounds) {
            SoundPlayerUncompressedWAV player(output_);
            WaveSoundCues(player, messages_, VELMORA_SOUND_DIRECTORY).Play(cue);
            const WaveFormatEx& format = player.WaveFormat();
            QVERIFY(player.WaveLoaded);
            QCOMPARE(format.FormatTag, WaveFormatPcm);
            QCOMPARE(format.BitsPerSample, 16);
            QVERIFY(format.SamplesPerSec == 44100 || format.SamplesPerSec == 48000);
            const double seconds = double(player.SampleFrames()) / format.SamplesPerSec;
            QVERIFY2(seconds >= shortest && seconds <= longest,
                     qPrintable(QString::number(seconds)));
            const auto* samples = reinterpret_cast<const qint16*>(output_.written.constData());
            const qsizetype count = output_.written.size() / 2;
            const auto louder = [](qint16 a, qint16 b) { return std::abs(a) < std::abs(b); };
            QVERIFY(std::abs(*std::max_element(samples, samples + count, louder)) > 8192);
            QVERIFY(std::abs(samples[0]) < 100 && std::abs(samples[count - 1]) < 100);
        }
    }
};

QTEST_GUILESS_MAIN(WaveSoundCuesTest)
#include "WaveSoundCuesTest.moc"
