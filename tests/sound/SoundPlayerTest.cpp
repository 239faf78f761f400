// The sound logic against fake outputs: what a WAV file loads as (checked
// through the bytes the player hands to the output), the cues, the cue
// thread, the output without its module, and the cue sounds the build makes.

#include "SoundTestSupport.h"

#include "sound/LazyAudioOutput.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundThread.h"
#include "sound/WaveSoundCues.h"

#include <QMutex>
#include <QSemaphore>

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <stdexcept>
#include <tuple>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveFormatEx Stereo16 = Format(16, 2, 44100), Mono8 = Format(8, 1, 8000);
const QByteArray Held(300, '\x11'); // a Mono8 sample, loaded before each file

QByteArray Counting(int bytes) {
    QByteArray data(bytes, '\0');
    std::iota(data.begin(), data.end(), '\0');
    return data;
}

// The output of each cue thread: all log the first byte of each sound and
// "-" for each reset to one log; while `held`, an Open waits for `gate`, as
// Qt's does for a stopped sound server.
struct GatedOutput final : AudioOutput {
    std::int32_t Open(int, const WaveFormatEx&, DoneHandler) override {
        if (held) {
            entered.release();
            gate.acquire();
        }
        return Success;
    }
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype) override {
        Log(samples[offset]);
        return Success;
    }
    void Reset() override { Log('-'); }
    // Adds the entry, if any; the log so far.
    static QByteArray Log(char entry = 0) {
        static QMutex mutex;
        static QByteArray log;
        QMutexLocker lock(&mutex);
        return entry ? log += entry : log;
    }

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
        player_->PlayFile(WriteFile(dir_.filePath("sound.wav"), file));
        return output_.written;
    }

private Q_SLOTS:
    void init() {
        player_.reset(); // it resets its output as it goes
        output_ = FakeAudioOutput();
        player_ = std::make_unique<SoundPlayerUncompressedWAV>(output_);
    }

    // Played after Held, each file loads as `format` with the samples `data`
    // and plays whole, or fails and Held plays again.
    void loadsOrKeepsHeldSample_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<WaveFormatEx>("format");
        QTest::addColumn<QByteArray>("data");
        const WaveFormatEx float32 = Extensible(Format(32, 1, 96000), WaveFormatIeeeFloat);
        const WaveFormatEx mono24 = Format(24, 1, 48000);
        const QByteArray fmt = Chunk("fmt ", Fmt(Stereo16)), samples = Counting(400);
        const QByteArray data = Chunk("data", samples), big(MaxSampleBytes + 5, 'b');
        const auto fails = [](const char* name, const QByteArray& file) {
            QTest::newRow(name) << file << Mono8 << Held;
        };
        // clang-format off
        // A 16-byte record reads no bytes beyond its chunk: those are "da" of "data".
        QTest::newRow("16-bit stereo") << WaveFile(Stereo16, samples) << Stereo16 << samples;
        QTest::newRow("extensible float") << WaveFile(float32, samples) << float32 << samples;
        fails("not RIFF", "A text file, not a sound."_ba);
        fails("RIFF of another form", Riff(fmt + data, "AVI "));
        fails("data before fmt", Riff(data + fmt));
        fails("data after the RIFF chunk", Riff(fmt) + data);
        fails("fmt of 14 bytes", Riff(Chunk("fmt ", Fmt(Stereo16, 14)) + data));
        fails("block alignment 0", WaveFile(Format(0, 2, 44100), samples));
        QTest::newRow("fmt of 18 bytes") << Riff(Chunk("fmt ", Fmt(Stereo16, 18)) + data) << Stereo16 << samples;
        // The loader walks from chunk to chunk, over pad bytes, and never searches the bytes.
        QTest::newRow("chunks before fmt and between fmt and data")
            << Riff(Chunk("LIST", "INFOISFT\x05\x00\x00\x00Test!\x00"_ba) + fmt +
                    Chunk("junk", "odd") + Chunk("LIST", "INFO" + Chunk("data", "fake")) + data)
            << Stereo16 << samples;
        QTest::newRow("RIFF of another form first") << Riff(fmt + data, "AVI ") + Riff(fmt + data) << Stereo16 << samples;
        QTest::newRow("odd fmt padded, odd data at the end unpadded") << Chunk("RIFF", "WAVE" + Chunk("fmt ", Fmt(Mono8, 17)) + Chunk("data", "xyz", 3), 41) << Mono8 << "xyz"_ba;
        QTest::newRow("empty data at the end of RIFF") << Riff(fmt + Chunk("data", "")) << Stereo16 << ""_ba;
        QTest::newRow("RIFF and data declaring 4 GiB") << Chunk("RIFF", "WAVE" + fmt + Chunk("data", samples, 0xFFFFFFFF), 0xFFFFFFFF) << Stereo16 << samples;
        QTest::newRow("over 16 MiB of data: 16 MiB in whole 3-byte frames") << WaveFile(mono24, big) << mono24 << big.left(MaxSampleBytes - 1);
        // clang-format on
    }
    void loadsOrKeepsHeldSample() {
        QFETCH(QByteArray, file);
        QFETCH(WaveFormatEx, format);
        QFETCH(QByteArray, data);
        Play(WaveFile(Mono8, Held));
        QCOMPARE(Play(file), data);
        QVERIFY(player_->WavePlaying());
        QCOMPARE(player_->WaveLoaded, data != Held);
        QCOMPARE(player_->WaveFormat(), format);
        QCOMPARE(output_.openedFormat, format);
        QCOMPARE(player_->SampleFrames(), data.size() / format.BlockAlign);
    }

    // Frames are data bytes / block alignment, to the nearest whole one, halves
    // to even. The output gets frames PlayStart to PlayEnd, never a byte beyond
    // the sample (of 1001 frames 1000 are whole).
    void countsAndPlaysFrames() {
        for (const auto& [bytes, frames] : {std::pair{4002, 1000}, {4006, 1002}, {4003, 1001}}) {
            Play(WaveFile(Stereo16, Counting(bytes)));
            QCOMPARE(player_->SampleFrames(), frames);
        }
        // clang-format off
        for (const auto& [start, end, offset, length] : {std::array{250, 500, 1000, 1000},
                 {900, 5000, 3600, 400}, {2000, 3000, 4000, 0}, {500, 250, 2000, 0}, {INT_MIN, INT_MAX, 0, 4000}}) {
            // clang-format on
            player_->PlayStart = start;
            player_->PlayEnd = end;
            player_->PlayWave(-1);
            QCOMPARE(output_.writtenRange, FakeAudioOutput::Range(offset, length));
        }
    }

    // Without its module (in a folder that lacks it, or with no folder) every
    // open fails as with no device.
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
    // loads, or else the sample held before. Without a program folder it tells the user and
    // releases the sample, unless telling fails. A sound the output refuses releases it too.
    void cuesPlayTheirFileOrTheHeldSample() {
        WriteFile(dir_.filePath("ChangePlayer.wav"), WaveFile(Mono8, Held));
        mkfifo(QFile::encodeName(dir_.filePath("GameOver.wav")).constData(), 0600);
        WaveSoundCues cues(*player_, messages_, dir_.path()), homeless(*player_, messages_, {});
        cues.Play(Cue::ChangePlayer);
        player_->PlayStart = 100;
        cues.Play(Cue::GameOver); // a named pipe: neither read nor waited for
        messages_.onShow = [] { throw std::runtime_error("message failed"); };
        homeless.Play(Cue::LowTime);
        QCOMPARE(output_.written, Held);
        messages_.onShow = nullptr;
        homeless.Play(Cue::ChangePlayer);
        QVERIFY(!player_->HoldsSample() && !player_->WaveLoaded);
        QCOMPARE(output_.calls, QStringList({"Open -1", "Write", "Reset", "Open -1", "Write",
                                             "Reset", "Open -1", "Write", "Reset"}));
        QCOMPARE(messages_.shown, QStringList(2, "Critical: Application path undefined!"));
        for (const auto& [open, write] : {std::pair{BadFormat, Success}, {Success, Failed}}) {
            std::tie(output_.openResult, output_.writeResult) = std::pair(open, write);
            cues.Play(Cue::ChangePlayer);
            QCOMPARE(player_->LastResult(), open ? open : write);
            QVERIFY(!player_->WavePlaying() && !player_->HoldsSample());
        }
        player_->PlayFile(std::nullopt); // no file: none counts as loaded
        QVERIFY(!player_->WaveLoaded);
    }

    // The cue thread: a cue returns at once while the output waits, the latest
    // waiting cue wins, a late one is dropped or cut off, a thread stuck in its
    // output is left for a fresh one, also at the end.
    void cueThreadNeverWaits() {
        for (const char* name : {"A", "C"})
            WriteFile(dir_.filePath(name + u".wav"_s), WaveFile(Mono8, QByteArray(4, name[0])));
        std::optional<SoundThread> sound(
            std::in_place, [] { return std::make_unique<GatedOutput>(); },
            SoundThread::Limits{.cueDeadlineMs = 1000, .stuckAfterMs = 1500, .exitWaitMs = 1000});
        const auto play = [&](const char* name, bool held = false) {
            GatedOutput::held = held;
            sound->PlayFile(dir_.filePath(name + u".wav"_s));
            QVERIFY(!held || GatedOutput::entered.tryAcquire(1, 5000));
        };
        play("A", true);
        play("missing");
        play("C");
        GatedOutput::gate.release();
        QTRY_COMPARE(GatedOutput::Log(), "A-C"_ba);
        play("A", true);
        play("C");
        QTest::qWait(1200);
        GatedOutput::gate.release();
        QTRY_COMPARE(GatedOutput::Log(), "A-C-A-"_ba);
        play("A", true);
        QTest::qWait(1600);
        play("C");
        QTRY_COMPARE(GatedOutput::Log(), "A-C-A--C"_ba);
        sound.reset();
        QCOMPARE(GatedOutput::Log(), "A-C-A--C-"_ba);
    }

    // 16-bit mono PCM at 44.1 kHz, each cue of its own length, loud, and faded
    // in and out (no clicks).
    void generatedSoundsAreClean() {
        for (const auto& [cue, shortest, longest] : {std::tuple{Cue::ChangePlayer, 0.05, 0.25},
                                                     {Cue::LowTime, 0.25, 0.5},
                                                     {Cue::GameOver, 1.0, 2.0}}) {
            WaveSoundCues(*player_, messages_, VELMORA_SOUND_DIRECTORY).Play(cue);
            QCOMPARE(player_->WaveFormat(), Format(16, 1, 44100));
            const double seconds = player_->SampleFrames() / 44100.0;
            QVERIFY(seconds >= shortest && seconds <= longest);
            const std::span samples(reinterpret_cast<const qint16*>(output_.written.constData()),
                                    output_.written.size() / 2);
            const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
            QVERIFY(*low < -8192 && *high > 8192);
            QVERIFY(std::abs(samples.front()) < 100 && std::abs(samples.back()) < 100);
        }
    }
};

QTEST_GUILESS_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
