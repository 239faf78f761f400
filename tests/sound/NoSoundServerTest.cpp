// Without a sound server the cues are silent and nothing fails.
// Runs with PULSE_SERVER pointing at a socket that does not exist.

#include "ScriptedModalRunner.h"
#include "SoundTestMain.h"

#include "sound/QtAudioOutput.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundResult.h"
#include "sound/WaveSoundCues.h"

#include <QTest>

using namespace velmora;
using namespace velmora::test;

class NoSoundServerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cuesAreSilent() {
        QtAudioOutput output;
        SoundPlayerUncompressedWAV player(output);
        ScriptedModalRunner modal;
        WaveSoundCues cues(player, modal, QStringLiteral(VELMORA_SOUND_DIRECTORY));
        for (int i = 0; i < 3; ++i) {
            cues.Play(Cue::ChangePlayer);
            QVERIFY(player.WaveLoaded);
            QCOMPARE(player.LastResult(), NoDevice);
            QVERIFY(!player.WavePlaying());
            QVERIFY(!output.IsOpen());
            cues.Play(Cue::GameOver);
            QCOMPARE(player.LastResult(), NoDevice);
            QVERIFY(!player.WavePlaying());
        }
        QTest::qWait(100);
        QVERIFY(modal.Shown().empty());
    }
};

VELMORA_SOUND_TEST_MAIN(NoSoundServerTest)
#include "NoSoundServerTest.moc"
