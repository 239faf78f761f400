// A thousand hand-overs with the player-change sound on, through the real
// audio module to a null sink: memory and open descriptors stay flat.
#include "clock/UhrAnzeige.h"
#include "sound/LazyAudioOutput.h"
#include "sound/ProcessExit.h"
#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/WaveSoundCues.h"

#include "NativeKeys.h"
#include "TestProgram.h"

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace velmora;

namespace {

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

qsizetype OpenDescriptors() {
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
}

} // namespace

class HandOverSoakTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void thousandHandOversWithSound() {
        QVERIFY2(qEnvironmentVariableIsSet("VELMORA_TEST_SINK"), "run me with with-pulseaudio.sh");
        test::TestProgram tp;
        tp.WriteSettingsFile("[General]\nLanguage=1\n[Sounds]\nPlayerChange=1\n[Time]\nP1h=6\nP2h=6\n");
        LazyAudioOutput output(QStringLiteral(VELMORA_SOUND_DIRECTORY));
        SoundPlayerUncompressedWAV player(output);
        WaveSoundCues cues(player, tp.modal, QStringLiteral(VELMORA_SOUND_DIRECTORY));
        Program program(*tp.store, tp.modal, cues, tp.desktop);
        UhrAnzeige window(program);
        window.Form_Load();
        window.show();

        const auto handOver = [&] {
            constexpr quint32 kXKeycodeSpace = 65;
            auto press = test::NativeKeyPress(Qt::Key_Space, Qt::NoModifier, kXKeycodeSpace);
            QApplication::sendEvent(&window, press.get());
            QVERIFY(player.WavePlaying());
            QTest::qWait(2);
        };
        for (int i = 0; i < 100; ++i)
            handOver();
        QTest::qWait(1000); // the last sound drains and its output is released
        const long memoryBefore = ResidentKiB();
        const qsizetype descriptorsBefore = OpenDescriptors();
        for (int i = 0; i < 1000; ++i)
            handOver();
        QTest::qWait(1000);
        QCOMPARE(OpenDescriptors(), descriptorsBefore);
        // Qt's PulseAudio back end keeps a few hundred bytes per stream it has
        // opened; anything like a sample per cue (13 KiB and more) shows far above this.
        QVERIFY2(ResidentKiB() - memoryBefore < 1536,
                 qPrintable(QStringLiteral("%1 KiB more").arg(ResidentKiB() - memoryBefore)));
        QVERIFY(tp.modal.Shown().empty());
    }
};

int main(int argc, char* argv[]) {
    int failures = 0;
    {
        QApplication app(argc, argv);
        HandOverSoakTest test;
        failures = QTest::qExec(&test, argc, argv);
    }
    ExitSkippingLibraryTeardown(failures == 0 ? 0 : 1);
}

#include "HandOverSoakTest.moc"
