// The cue file paths, the cue sequence against a fake output, and the two
// cue sounds the build generates.

#include "FakeAudioOutput.h"
#include "ScriptedModalRunner.h"
#include "WaveBytes.h"

#include "sound/CuePaths.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/WaveSoundCues.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveKind Mono16{SampleCode::Pcm16, 1, 44100};
const QByteArray ChangePlayerData = ToneData(Mono16, 0.05, 0.5, 880.0);
const QByteArray GameOverData = ToneData(Mono16, 0.08, 0.5, 440.0);

} // namespace

class WaveSoundCuesTest : public QObject {
    Q_OBJECT

    QTemporaryDir bothFiles_;
    QTemporaryDir onlyChangePlayer_;
    FakeAudioOutput output_;
    ScriptedModalRunner modal_;

private Q_SLOTS:
    void initTestCase() {
        WriteFile(bothFiles_, "ChangePlayer.wav", WaveFile(Mono16, ChangePlayerData));
        WriteFile(bothFiles_, "GameOver.wav", WaveFile(Mono16, GameOverData));
        WriteFile(onlyChangePlayer_, "ChangePlayer.wav", WaveFile(Mono16, ChangePlayerData));
    }
    void init() {
        output_ = FakeAudioOutput();
        modal_ = ScriptedModalRunner();
    }

    void pathsHaveOneSeparator_data() {
        QTest::addColumn<QString>("directory");
        QTest::newRow("plain") << "/opt/velmora";
        QTest::newRow("trailing separator") << "/opt/velmora/";
    }
    void pathsHaveOneSeparator() {
        QFETCH(QString, directory);
        QCOMPARE(ChangePlayerWavePath(directory, modal_), "/opt/velmora/ChangePlayer.wav");
        QCOMPARE(GameOverWavePath(directory, modal_), "/opt/velmora/GameOver.wav");
        QCOMPARE(GameOverWavePath("/", modal_), "/GameOver.wav");
        QVERIFY(modal_.Shown().empty());
    }

    void emptyDirectoryTellsUserAndPlaysNothing() {
        bool criticalOkOnly = false;
        modal_.Expect([&](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            criticalOkOnly =
                box.icon() == QMessageBox::Critical && box.standardButtons() == QMessageBox::Ok;
            box.accept();
        });
        QCOMPARE(ChangePlayerWavePath(QString(), modal_), QString());
        QVERIFY(criticalOkOnly);

        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(bothFiles_.filePath("GameOver.wav"));
        WaveSoundCues cues(player, modal_, QString());
        cues.Play(Cue::GameOver); // the empty path releases the held sample
        QVERIFY(!player.HoldsSample());
        QVERIFY(output_.calls.isEmpty());
        QCOMPARE(modal_.Shown().size(), 2u);
        for (const ShownDialog& shown : modal_.Shown()) {
            QCOMPARE(shown.title, "Velmora");
            QCOMPARE(shown.text, "Application path undefined!");
        }
    }

    void cueCutsOffSoundingCueAndPlaysItsFileWhole() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, bothFiles_.path());
        cues.Play(Cue::ChangePlayer);
        QCOMPARE(output_.written, ChangePlayerData);
        player.PlayStart = 100;
        cues.Play(Cue::GameOver);
        QCOMPARE(output_.calls, QStringList({"Open", "Write", "Reset", "Open", "Write"}));
        QCOMPARE(output_.written, GameOverData);
        QVERIFY(player.WavePlaying());
    }

    void missingFilePlaysHeldSampleOrNothing() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, onlyChangePlayer_.path());
        cues.Play(Cue::GameOver);
        QVERIFY(output_.calls.isEmpty());
        cues.Play(Cue::ChangePlayer);
        cues.Play(Cue::GameOver);
        QVERIFY(!player.WaveLoaded);
        QCOMPARE(output_.written, ChangePlayerData);
        QVERIFY(modal_.Shown().empty());
    }

    // An error in one step stays inside the cue; the next steps still run.
    void errorInStepIsIgnored() {
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(bothFiles_.filePath("GameOver.wav"));
        WaveSoundCues cues(player, modal_, QString());
        modal_.Expect([](QDialog&) { throw std::runtime_error("dialog failed"); });
        cues.Play(Cue::ChangePlayer);
        QCOMPARE(output_.written, GameOverData);
    }

    void generatedSoundsAreClean_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("a short chime") << "ChangePlayer.wav" << 0.03 << 0.5;
        QTest::newRow("an alarm") << "GameOver.wav" << 1.0 << 2.0;
    }
    void generatedSoundsAreClean() {
        QFETCH(QString, fileName);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, VELMORA_SOUND_DIRECTORY);
        cues.Play(fileName == "GameOver.wav" ? Cue::GameOver : Cue::ChangePlayer);
        const WaveFormatEx& format = player.WaveFormat();
        QVERIFY(player.WaveLoaded);
        QCOMPARE(format.FormatTag, WaveFormatPcm);
        QCOMPARE(format.BitsPerSample, 16);
        QVERIFY(format.SamplesPerSec == 44100 || format.SamplesPerSec == 48000);
        const double seconds = double(player.SampleFrames()) / format.SamplesPerSec;
        QVERIFY2(seconds >= shortest && seconds <= longest, qPrintable(QString::number(seconds)));

        const auto* samples = reinterpret_cast<const qint16*>(output_.written.constData());
        const qsizetype count = output_.written.size() / 2;
        const int peak =
            std::abs(*std::max_element(samples, samples + count, [](qint16 a, qint16 b) {
                return std::abs(a) < std::abs(b);
            }));
        QVERIFY2(peak > 32768 / 4 && peak < 32767,
                 qPrintable(QString::number(peak))); // clear, not clipped
        QVERIFY(std::abs(samples[0]) < 100 &&
                std::abs(samples[count - 1]) < 100); // faded: no click
    }
};

QTEST_MAIN(WaveSoundCuesTest)
#include "WaveSoundCuesTest.moc"
