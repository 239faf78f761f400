// The cue file paths, the cue sequence against a fake output, and the two
// cue sounds the build generates.

#include "SoundTestSupport.h"

#include "sound/CuePaths.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/WaveSoundCues.h"

#include <algorithm>
#include <stdexcept>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveKind Mono16{16, 1, 44100};
const QByteArray ChangePlayerData = ToneData(Mono16, 0.05);

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
