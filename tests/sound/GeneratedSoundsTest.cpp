// The two cue sounds the build generates: playable, of the right length,
// clearly audible without clipping, and starting and ending in silence.

#include "FakeAudioOutput.h"

#include "sound/SoundPlayerUncompressedWAV.h"

#include <QDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace velmora;
using namespace velmora::test;

class GeneratedSoundsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void soundIsCleanAndOfItsLength_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<double>("shortestSeconds");
        QTest::addColumn<double>("longestSeconds");
        QTest::newRow("player change: a short click") << "ChangePlayer.wav" << 0.03 << 0.5;
        QTest::newRow("game over: an alarm") << "GameOver.wav" << 1.0 << 2.0;
    }
    void soundIsCleanAndOfItsLength() {
        QFETCH(QString, fileName);
        QFETCH(double, shortestSeconds);
        QFETCH(double, longestSeconds);
        FakeAudioOutput output;
        SoundPlayerUncompressedWAV player(output);
        player.LoadWave(QDir(QStringLiteral(VELMORA_SOUND_DIRECTORY)).filePath(fileName));
        QVERIFY(player.WaveLoaded);

        const WaveFormatEx& format = player.WaveFormat();
        QCOMPARE(format.FormatTag, WaveFormatPcm);
        QCOMPARE(format.BitsPerSample, 16);
        QCOMPARE(format.BlockAlign, 2 * format.Channels);
        QVERIFY(format.SamplesPerSec == 44100 || format.SamplesPerSec == 48000);
        const double seconds = double(player.SampleFrames()) / format.SamplesPerSec;
        QVERIFY2(seconds >= shortestSeconds && seconds <= longestSeconds,
                 qPrintable(QString::number(seconds)));

        player.PlayEnd = player.SampleFrames();
        player.PlayWave(-1);
        std::vector<qint16> samples(output.written.size() / 2);
        std::memcpy(samples.data(), output.written.constData(), samples.size() * 2);
        int peak = 0;
        for (qint16 sample : samples)
            peak = std::max(peak, std::abs(int(sample)));
        QVERIFY2(peak > 32768 / 4 && peak < 32767,
                 qPrintable(QString::number(peak))); // -12 dBFS .. no clipping
        // Faded in and out: the first and last samples are near silence.
        QVERIFY(std::abs(int(samples.front())) < 100);
        QVERIFY(std::abs(int(samples.back())) < 100);
    }
};

QTEST_GUILESS_MAIN(GeneratedSoundsTest)
#include "GeneratedSoundsTest.moc"
