// The sound logic against fake outputs: what a WAV file loads as (checked
// through the bytes the player hands to the output), the cues, the cue
// thread, the output without its module, and the cue sounds the build makes.

#include "SoundTestSupport.h"

#include "sound/CuePaths.h"
#include "sound/LazyAudioOutput.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundThread.h"
#include "sound/WaveSoundCues.h"

#include <QMutex>
#include <QSemaphore>

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <tuple>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveFormatEx Stereo16 = Format(16, 2, 44100);
const WaveFormatEx Mono8 = Format(8, 1, 8000);

QByteArray Counting(int bytes) {
    QByteArray data(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        data[i] = char(i * 7);
    return data;
}

// The output of each cue thread: all log the bytes written and "reset" to
// one log; while `held`, an Open waits for `gate`, as Qt's does for a
// stopped sound server.
class GatedOutput final : public AudioOutput {
public:
    std::int32_t Open(int, const WaveFormatEx&, DoneHandler) override {
        if (held) {
            entered.release();
            gate.acquire();
        }
        return Success;
    }
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) override {
        Add(QString::fromLatin1(samples.mid(offset, length)));
        return Success;
    }
    void Reset() override { Add(u"reset"_s); }
    static void Add(const QString& entry) {
        QMutexLocker lock(&mutex);
        log << entry;
    }
    static QStringList Log() {
        QMutexLocker lock(&mutex);
        return log;
    }

    static inline QMutex mutex;
    static inline QStringList log;
    static inline std::atomic<bool> held{false};
    static inline QSemaphore entered{0}, gate{0}; // a thread left stuck waits for good
};

} // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeAudioOutput output_;
    RecordingMessages messages_;
    std::unique_ptr<SoundPlayerUncompressedWAV> player_;

    // Plays the file as a cue; the bytes the output got.
    QByteArray Play(const QByteArray& file) {
        player_->PlayFile(WriteFile(dir_, "sound.wav", file));
        return output_.written;
    }

private Q_SLOTS:
    void init() {
        player_.reset(); // it resets its output as it goes
        output_ = FakeAudioOutput();
        messages_ = RecordingMessages();
        player_ = std::make_unique<SoundPlayerUncompressedWAV>(output_);
    }

    // Each format loads as written, its samples whole, and its coding is told.
    void loadsFormats_data() {
        QTest::addColumn<WaveFormatEx>("format");
        QTest::addColumn<int>("coding");
        QTest::newRow("16-bit stereo 44.1 kHz") << Stereo16 << 1;
        QTest::newRow("24-bit mono 96 kHz") << Format(24, 1, 96000) << 1;
        QTest::newRow("float stereo 22.05 kHz") << Format(32, 2, 22050, Coding::Float) << 3;
        QTest::newRow("extensible 24-bit stereo")
            << Format(24, 2, 48000, Coding::ExtensiblePcm) << 1;
        QTest::newRow("extensible float mono")
            << Format(32, 1, 96000, Coding::ExtensibleFloat) << 3;
        QTest::newRow("extensible, other subformat")
            << Format(16, 2, 44100, Coding::ExtensibleOther) << 0;
    }
    void loadsFormats() {
        QFETCH(WaveFormatEx, format);
        QFETCH(int, coding);
        const QByteArray data = Counting(format.BlockAlign * 50);
        QCOMPARE(Play(WaveFile(format, data)), data);
        QVERIFY(player_->WaveLoaded && player_->WavePlaying());
        // A 16-byte record reads no bytes beyond its chunk: those are "da" of "data".
        QCOMPARE(player_->WaveFormat(), format);
        QCOMPARE(output_.openedFormat, format);
        QCOMPARE(SampleCoding(player_->WaveFormat()), coding);
        QCOMPARE(player_->SampleFrames(), 50);
    }

    // Each file is played after a good one: it loads as `data`, or (null) fails
    // and the sample held before plays whole.
    void loadsOrKeepsHeldSample_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("data");
        const QByteArray fmt = Chunk("fmt ", Fmt(Stereo16));
        const QByteArray samples = Counting(400);
        const QByteArray data = Chunk("data", samples);
        QByteArray noAlignment = Fmt(Stereo16);
        noAlignment[12] = noAlignment[13] = '\0';
        const QByteArray big(MaxSampleBytes + 5, 'b');
        const QByteArray fails;
        QTest::newRow("not RIFF") << "A text file, not a sound."_ba << fails;
        QTest::newRow("RIFF of another form") << Riff(fmt + data, "AVI ") << fails;
        QTest::newRow("data before fmt") << Riff(data + fmt) << fails;
        QTest::newRow("data after the RIFF chunk") << Riff(fmt) + data << fails;
        QTest::newRow("fmt of 14 bytes") << Riff(Chunk("fmt ", Fmt(Stereo16, 14)) + data) << fails;
        QTest::newRow("block alignment 0") << Riff(Chunk("fmt ", noAlignment) + data) << fails;
        QTest::newRow("fmt of 18 bytes")
            << Riff(Chunk("fmt ", Fmt(Stereo16, 18)) + data) << samples;
        // The loader walks from chunk to chunk, over pad bytes, and never searches the bytes.
        QTest::newRow("chunks before fmt and between fmt and data")
            << Riff(Chunk("LIST", "INFOISFT\x05\x00\x00\x00Test!\x00"_ba) + fmt +
                    Chunk("junk", "odd") + Chunk("LIST", "INFO" + Chunk("data", "fake")) + data)
            << samples;
        QTest::newRow("RIFF of another form first")
            << Riff(fmt + data, "AVI ") + Riff(fmt + data) << samples;
        QTest::newRow("odd fmt padded, odd data at the end unpadded")
            << Chunk("RIFF", "WAVE" + Chunk("fmt ", Fmt(Mono8, 17)) + Chunk("data", "xyz", 3), 41)
            << "xyz"_ba;
        QTest::newRow("empty data at the end of RIFF") << Riff(fmt + Chunk("data", "")) << ""_ba;
        QTest::newRow("RIFF and data declaring 4 GiB")
            << Chunk("RIFF", "WAVE" + fmt + Chunk("data", samples, 0xFFFFFFFF), 0xFFFFFFFF)
            << samples;
        QTest::newRow("over 16 MiB of data: 16 MiB in whole 3-byte frames")
            << Riff(Chunk("fmt ", Fmt(Format(24, 1, 48000))) + Chunk("data", big))
            << big.left(MaxSampleBytes - 1);
    }
    void loadsOrKeepsHeldSample() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, data);
        const QByteArray good(300, '\x11'), played = data.isNull() ? good : data;
        Play(WaveFile(Mono8, good));
        QCOMPARE(Play(file), played);
        QCOMPARE(player_->SampleFrames(), played.size() / player_->WaveFormat().BlockAlign);
        QCOMPARE(player_->WaveLoaded, !data.isNull());
        if (data.isNull())
            QCOMPARE(player_->WaveFormat(), Mono8);
    }

    // Frames are data bytes / block alignment, to the nearest whole one, halves
    // to even. The output gets frames PlayStart to PlayEnd, never a byte beyond
    // the sample.
    void countsAndPlaysFrames() {
        for (const auto& [bytes, frames] : {std::pair{4002, 1000}, {4006, 1002}, {4003, 1001}}) {
            Play(WaveFile(Stereo16, Counting(bytes)));
            QCOMPARE(player_->SampleFrames(), frames);
        }
        const struct {
            int start, end;
            FakeAudioOutput::Range range; // offset, length; of 1001 frames 1000 are whole
        } cases[] = {{250, 500, {1000, 1000}},
                     {900, 5000, {3600, 400}},
                     {2000, 3000, {4000, 0}},
                     {500, 250, {2000, 0}},
                     {INT_MIN, INT_MAX, {0, 4000}}};
        for (const auto& [start, end, range] : cases) {
            player_->PlayStart = start;
            player_->PlayEnd = end;
            player_->PlayWave(-1);
            QCOMPARE(output_.writtenRange, range);
        }
    }

    // A sound the output refuses releases the sample; without one, PlayWave does nothing.
    void failingOutputReleasesSample() {
        for (const auto& [openResult, writeResult] :
             {std::pair{BadFormat, Success}, {Success, Failed}}) {
            output_.openResult = openResult;
            output_.writeResult = writeResult;
            Play(WaveFile(Stereo16, Counting(400)));
            QCOMPARE(player_->LastResult(), openResult ? openResult : writeResult);
            QVERIFY(!player_->WavePlaying() && !player_->HoldsSample());
            output_.calls.clear();
            player_->PlayWave(-1);
            QVERIFY(output_.calls.isEmpty());
        }
    }

    // Without its module (in a folder that lacks it, or with no folder) every open fails as
    // with no device.
    void outputWithoutModuleHasNoDevice() {
        for (const QString& folder : {dir_.path(), QString()}) {
            LazyAudioOutput output(folder);
            for (int open = 0; open < 2; ++open)
                QCOMPARE(output.Open(-1, Stereo16, {}), NoDevice);
            QCOMPARE(output.Write(Counting(4), 0, 4), NoDevice);
            output.Reset();
        }
    }

    // A cue cuts off the one sounding and plays on the default output, whole, the file it
    // loads, or else the sample held before, or nothing; it never shows a message. Without a
    // program folder it tells the user and releases the sample, unless telling fails.
    void cuesPlayTheirFileOrTheHeldSample() {
        QCOMPARE(ChangePlayerWavePath("/opt/velmora/", messages_), "/opt/velmora/ChangePlayer.wav");
        QCOMPARE(GameOverWavePath("/", messages_), "/GameOver.wav");
        WriteFile(dir_, "ChangePlayer.wav", WaveFile(Stereo16, Counting(400)));
        WaveSoundCues cues(*player_, messages_, dir_.path()); // it has no GameOver.wav
        cues.Play(Cue::GameOver);
        QVERIFY(output_.calls.isEmpty());
        cues.Play(Cue::ChangePlayer);
        player_->PlayStart = 100;
        cues.Play(Cue::GameOver);

        WaveSoundCues homeless(*player_, messages_, QString());
        messages_.onShow = [] { throw std::runtime_error("message failed"); };
        homeless.Play(Cue::LowTime);
        QVERIFY(!player_->WaveLoaded);
        messages_.onShow = nullptr;
        homeless.Play(Cue::ChangePlayer);
        QVERIFY(!player_->HoldsSample());
        QCOMPARE(output_.written, Counting(400));
        QCOMPARE(output_.calls, QStringList({"Open -1", "Write", "Reset", "Open -1", "Write",
                                             "Reset", "Open -1", "Write", "Reset"}));
        QCOMPARE(messages_.shown, QStringList(2, "Critical: Application path undefined!"));
    }

    // The cue thread: a cue returns at once while the output waits, the latest
    // waiting cue wins, a late one is dropped or cut off, a thread stuck in its
    // output is left for a fresh one, also at the end.
    void cueThreadNeverWaits() {
        for (const char* name : {"A", "C"})
            WriteFile(dir_, name + u".wav"_s, WaveFile(Mono8, QByteArray(4, name[0])));
        std::optional<SoundThread> sound;
        sound.emplace(
            [] { return std::make_unique<GatedOutput>(); },
            SoundThread::Limits{.cueDeadlineMs = 1000, .stuckAfterMs = 1500, .exitWaitMs = 1000});
        const auto play = [&](const char* name) {
            sound->PlayFile(dir_.filePath(name + u".wav"_s));
        };
        const auto playHeld = [&](const char* name) {
            GatedOutput::held = true;
            play(name);
            QVERIFY(GatedOutput::entered.tryAcquire(1, 5000));
        };
        const auto release = [] {
            GatedOutput::held = false;
            GatedOutput::gate.release();
        };
        playHeld("A");
        play("missing");
        play("C");
        release();
        QTRY_COMPARE(GatedOutput::Log(), QStringList({"AAAA", "reset", "CCCC"}));
        playHeld("A");
        play("C");
        QTest::qWait(1200);
        release();
        QTRY_COMPARE(GatedOutput::Log().mid(3), QStringList({"reset", "AAAA", "reset"}));
        playHeld("A");
        QTest::qWait(1600);
        GatedOutput::held = false;
        play("C");
        QTRY_COMPARE(GatedOutput::Log().mid(6), QStringList({"reset", "CCCC"}));
        sound.reset();
        QCOMPARE(GatedOutput::Log().mid(8), QStringList({"reset"}));
    }

    // 16-bit mono PCM at 44.1 kHz, each cue of its own length, loud, and faded
    // in and out (no clicks).
    void generatedSoundsAreClean() {
        const struct {
            Cue cue;
            double shortest, longest;
        } sounds[] = {
            {Cue::ChangePlayer, 0.05, 0.25}, {Cue::LowTime, 0.25, 0.5}, {Cue::GameOver, 1.0, 2.0}};
        for (const auto& [cue, shortest, longest] : sounds) {
            WaveSoundCues(*player_, messages_, VELMORA_SOUND_DIRECTORY).Play(cue);
            QCOMPARE(player_->WaveFormat(), Format(16, 1, 44100));
            const double seconds = player_->SampleFrames() / 44100.0;
            QVERIFY2(seconds >= shortest && seconds <= longest,
                     qPrintable(QString::number(seconds)));
            const auto* first = reinterpret_cast<const qint16*>(output_.written.constData());
            const auto* last = first + output_.written.size() / 2 - 1;
            const auto [low, high] = std::minmax_element(first, last + 1);
            QVERIFY(*low < -8192 && *high > 8192);
            QVERIFY(std::abs(*first) < 100 && std::abs(*last) < 100);
        }
    }
};

QTEST_GUILESS_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
