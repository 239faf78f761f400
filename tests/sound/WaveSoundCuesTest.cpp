// The cue file paths and the cue sequence, against a fake output: the order
// of its steps, cutting off a sounding cue, and what a missing file or an
// unknown program directory leads to.

#include "FakeAudioOutput.h"
#include "ScriptedModalRunner.h"
#include "WaveBytes.h"

#include "sound/CuePaths.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/WaveSoundCues.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveSpec Mono16{SampleCode::Pcm16, 1, 44100, false};
const QByteArray ChangePlayerData = ToneData(Mono16, 0.05, 880.0);
const QByteArray GameOverData = ToneData(Mono16, 0.08, 440.0);

} // namespace

class WaveSoundCuesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QTemporaryDir emptyDir_;
    FakeAudioOutput output_;
    ScriptedModalRunner modal_;

private Q_SLOTS:
    void initTestCase() {
        WriteFile(dir_, QStringLiteral("ChangePlayer.wav"), WaveFile(Mono16, ChangePlayerData));
        WriteFile(dir_, QStringLiteral("GameOver.wav"), WaveFile(Mono16, GameOverData));
    }
    void init() {
        output_ = FakeAudioOutput();
        modal_ = ScriptedModalRunner();
    }

    void pathsHaveOneSeparator_data() {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("changePlayer");
        QTest::addColumn<QString>("gameOver");
        QTest::newRow("plain directory") << "/opt/velmora"
                                         << "/opt/velmora/ChangePlayer.wav"
                                         << "/opt/velmora/GameOver.wav";
        QTest::newRow("trailing separator") << "/opt/velmora/"
                                            << "/opt/velmora/ChangePlayer.wav"
                                            << "/opt/velmora/GameOver.wav";
        QTest::newRow("root") << "/"
                              << "/ChangePlayer.wav"
                              << "/GameOver.wav";
    }
    void pathsHaveOneSeparator() {
        QFETCH(QString, directory);
        QFETCH(QString, changePlayer);
        QFETCH(QString, gameOver);
        QCOMPARE(ChangePlayerWavePath(directory, modal_), changePlayer);
        QCOMPARE(GameOverWavePath(directory, modal_), gameOver);
        QVERIFY(modal_.Shown().empty());
    }

    void emptyDirectoryTellsTheUser() {
        bool criticalWithOkOnly = false;
        auto check = [&](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            criticalWithOkOnly =
                box.icon() == QMessageBox::Critical && box.standardButtons() == QMessageBox::Ok;
            dialog.accept();
        };
        modal_.Expect(check);
        QCOMPARE(ChangePlayerWavePath(QString(), modal_), QString());
        QVERIFY(criticalWithOkOnly);
        criticalWithOkOnly = false;
        modal_.Expect(check);
        QCOMPARE(GameOverWavePath(QString(), modal_), QString());
        QVERIFY(criticalWithOkOnly);

        QCOMPARE(modal_.Shown().size(), 2u);
        for (const ShownDialog& shown : modal_.Shown()) {
            QCOMPARE(shown.objectName, QStringLiteral("QMessageBox"));
            QCOMPARE(shown.title, QStringLiteral("Velmora"));
            QCOMPARE(shown.text, QStringLiteral("Application path undefined!"));
        }
    }

    void eachCuePlaysItsFileWhole() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, dir_.path());
        cues.Play(Cue::ChangePlayer);
        QCOMPARE(output_.written, ChangePlayerData);
        QCOMPARE(output_.openedDevice, -1);
        output_.ReportDone();
        cues.Play(Cue::GameOver);
        QCOMPARE(output_.written, GameOverData);
        QCOMPARE(output_.calls, QStringList({"Open", "Write", "Open", "Write"}));
        QVERIFY(player.WavePlaying());
    }

    void cueCutsOffSoundingCue() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, dir_.path());
        cues.Play(Cue::ChangePlayer);
        player.PlayStart = 100; // a new cue plays from its first frame
        cues.Play(Cue::ChangePlayer);
        QCOMPARE(output_.calls, QStringList({"Open", "Write", "Reset", "Open", "Write"}));
        QCOMPARE(output_.writtenOffset, 0);
        QCOMPARE(output_.written, ChangePlayerData);
        QVERIFY(player.WavePlaying());
    }

    void missingFilePlaysLastHeldSample() {
        QTemporaryDir onlyChangePlayer;
        WriteFile(onlyChangePlayer, QStringLiteral("ChangePlayer.wav"),
                  WaveFile(Mono16, ChangePlayerData));
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, onlyChangePlayer.path());
        cues.Play(Cue::ChangePlayer);
        cues.Play(Cue::GameOver);
        QVERIFY(!player.WaveLoaded);
        QCOMPARE(output_.written, ChangePlayerData);
        QVERIFY(modal_.Shown().empty());
    }

    void missingFileWithNothingHeldIsSilent() {
        SoundPlayerUncompressedWAV player(output_);
        WaveSoundCues cues(player, modal_, emptyDir_.path());
        cues.Play(Cue::ChangePlayer);
        cues.Play(Cue::GameOver);
        QVERIFY(output_.calls.isEmpty());
        QVERIFY(!player.WavePlaying());
        QVERIFY(modal_.Shown().empty());
    }

    void emptyDirectoryReleasesSampleAndPlaysNothing() {
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(dir_.filePath(QStringLiteral("GameOver.wav")));
        QVERIFY(player.HoldsSample());
        WaveSoundCues cues(player, modal_, QString());
        modal_.Expect(ScriptedModalRunner::AcceptMessage());
        cues.Play(Cue::GameOver);
        QCOMPARE(modal_.Shown().size(), 1u);
        QVERIFY(!player.HoldsSample());
        QVERIFY(output_.calls.isEmpty());
    }

    // An error in one step stays inside the cue, and the next step still runs.
    void errorInStepIsIgnored() {
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(dir_.filePath(QStringLiteral("GameOver.wav")));
        WaveSoundCues cues(player, modal_, QString());
        modal_.Expect([](QDialog&) { throw std::runtime_error("dialog failed"); });
        cues.Play(Cue::ChangePlayer);
        QCOMPARE(output_.written, GameOverData);
        QVERIFY(player.WavePlaying());
    }
};

QTEST_MAIN(WaveSoundCuesTest)
#include "WaveSoundCuesTest.moc"
