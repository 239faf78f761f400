// A thousand hand-overs with the player-change sound on, wired as in the
// program (the cue thread over the real audio module) to a null sink: memory
// and open descriptors stay flat.

#include "SoundTestSupport.h"
#include "UiFakes.h"

#include "clock/ui/UhrAnzeige.h"
#include "sound/LazyAudioOutput.h"
#include "sound/SoundThread.h"
#include "sound/WaveSoundCues.h"

#include <QApplication>

using namespace velmora;

class HandOverSoakTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void thousandHandOversWithSound() {
        QVERIFY2(qEnvironmentVariableIsSet("VELMORA_TEST_SINK"), "run me with with-pulseaudio.sh");
        test::TestUi tp;
        tp.WriteSettingsFile(
            "[General]\nLanguage=1\n[Sounds]\nPlayerChange=1\n[Time]\nP1h=6\nP2h=6\n");
        SoundThread sound(
            [] { return std::make_unique<LazyAudioOutput>(VELMORA_SOUND_DIRECTORY); });
        WaveSoundCues cues(sound, tp.messages, VELMORA_SOUND_DIRECTORY);
        Program program(*tp.store, cues, tp.messages);
        UhrAnzeige window(program, tp.services);
        window.Form_Load();
        window.show();

        const auto handOvers = [&](int count) {
            constexpr quint32 XKeycodeSpace = 65;
            for (int i = 0; i < count; ++i) {
                auto press = test::NativeKeyPress(Qt::Key_Space, Qt::NoModifier, XKeycodeSpace);
                QApplication::sendEvent(&window, press.get());
                QTest::qWait(2);
            }
            QTest::qWait(1000); // the last sound drains and its output is released
        };
        handOvers(100);
        const long memoryBefore = test::ResidentKiB();
        const qsizetype descriptorsBefore = test::OpenFileDescriptors();
        handOvers(1000);
        QCOMPARE(test::OpenFileDescriptors(), descriptorsBefore);
        // Qt's PulseAudio back end keeps a few hundred bytes per stream it has
        // opened; anything like a sample per cue (13 KiB and more) shows far above this.
        const long grown = test::ResidentKiB() - memoryBefore;
        QVERIFY2(grown < 1536, qPrintable(QString("%1 KiB more").arg(grown)));
        QVERIFY(tp.modal.Shown().empty() && tp.messages.shown.empty());
    }
};

VELMORA_SOUND_TEST_MAIN(QApplication, HandOverSoakTest)
#include "HandOverSoakTest.moc"
