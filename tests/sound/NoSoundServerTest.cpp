// With no sound server (PULSE_SERVER names a socket that does not exist)
// the cues are silent and nothing fails.

#include "SoundTestSupport.h"

#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/WaveSoundCues.h"
#include "sound/module/QtAudioOutput.h"

using namespace velmora;
using namespace velmora::test;

class NoSoundServerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cuesAreSilent() {
        QtAudioOutput output;
        SoundPlayerUncompressedWAV player(output);
        RecordingMessages messages;
        WaveSoundCues cues(player, messages, VELMORA_SOUND_DIRECTORY);
        for (Cue cue : {Cue::ChangePlayer, Cue::GameOver, Cue::ChangePlayer}) {
            cues.Play(cue);
            QVERIFY(player.WaveLoaded);
            QCOMPARE(player.LastResult(), NoDevice);
            QVERIFY(!player.WavePlaying() && !output.IsOpen());
        }
        QVERIFY(messages.shown.empty());
    }
};

VELMORA_SOUND_TEST_MAIN(QCoreApplication, NoSoundServerTest)
#include "NoSoundServerTest.moc"
