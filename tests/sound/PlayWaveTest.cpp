// PlayWave and StopWave against a fake output: the frame range handed to the
// output, what happens without a sample or when the output fails, and how
// WavePlaying follows the output's done report.

#include "FakeAudioOutput.h"
#include "WaveBytes.h"

#include "sound/SoundPlayerUncompressedWAV.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace velmora;
using namespace velmora::test;

namespace {

// 16-bit stereo: 4 bytes a frame.
const WaveSpec Stereo16{SampleCode::Pcm16, 2, 44100, false};

QByteArray Counting(int bytes) {
    QByteArray data(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i)
        data[i] = static_cast<char>(i * 7);
    return data;
}

} // namespace

class PlayWaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeAudioOutput output_;

    void Load(SoundPlayerUncompressedWAV& player, const QByteArray& data) {
        player.LoadWave(WriteFile(dir_, QStringLiteral("sample.wav"), WaveFile(Stereo16, data)));
        QVERIFY(player.WaveLoaded);
    }

private Q_SLOTS:
    void init() { output_ = FakeAudioOutput(); }

    void playsTheFrameRangeOnly_data() {
        QTest::addColumn<int>("dataBytes");
        QTest::addColumn<int>("playStart");
        QTest::addColumn<int>("playEnd");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("length");
        constexpr int Min = std::numeric_limits<std::int32_t>::min();
        constexpr int Max = std::numeric_limits<std::int32_t>::max();
        QTest::newRow("whole sample") << 4000 << 0 << 1000 << 0 << 4000;
        QTest::newRow("frames 250 to 500") << 4000 << 250 << 500 << 1000 << 1000;
        QTest::newRow("end beyond the sample") << 4000 << 900 << 5000 << 3600 << 400;
        QTest::newRow("start before the sample") << 4000 << -10 << 10 << 0 << 40;
        QTest::newRow("start beyond the sample") << 4000 << 2000 << 3000 << 4000 << 0;
        QTest::newRow("end before start") << 4000 << 500 << 250 << 2000 << 0;
        QTest::newRow("widest range") << 4000 << Min << Max << 0 << 4000;
        // 4003 bytes count as 1001 frames, but only 1000 are whole.
        QTest::newRow("rounded-up frame count") << 4003 << 0 << 1001 << 0 << 4000;
    }
    void playsTheFrameRangeOnly() {
        QFETCH(int, dataBytes);
        QFETCH(int, playStart);
        QFETCH(int, playEnd);
        QFETCH(int, offset);
        QFETCH(int, length);
        const QByteArray data = Counting(dataBytes);
        SoundPlayerUncompressedWAV player(output_);
        Load(player, data);

        player.PlayStart = playStart;
        player.PlayEnd = playEnd;
        player.PlayWave(-1);

        QCOMPARE(output_.openedDevice, -1);
        QVERIFY(output_.writtenInside);
        QCOMPARE(output_.writtenOffset, offset);
        QCOMPARE(output_.writtenLength, length);
        QCOMPARE(output_.written, data.mid(offset, length));
    }

    void withoutSampleNothingPlays() {
        SoundPlayerUncompressedWAV player(output_);
        player.PlayEnd = 1000;
        player.PlayWave(-1);
        Load(player, Counting(400));
        player.LoadWave(QString());
        player.PlayWave(-1);
        QVERIFY(output_.calls.isEmpty());
        QVERIFY(!player.WavePlaying());
    }

    void failingOutputReleasesSample_data() {
        QTest::addColumn<int>("openResult");
        QTest::addColumn<int>("writeResult");
        QTest::newRow("no device") << int(NoDevice) << int(Success);
        QTest::newRow("format refused") << int(BadFormat) << int(Success);
        QTest::newRow("write refused") << int(Success) << int(Failed);
    }
    void failingOutputReleasesSample() {
        QFETCH(int, openResult);
        QFETCH(int, writeResult);
        SoundPlayerUncompressedWAV player(output_);
        Load(player, Counting(400));
        output_.openResult = openResult;
        output_.writeResult = writeResult;
        player.PlayEnd = player.SampleFrames();
        player.PlayWave(-1);

        QCOMPARE(player.LastResult(), openResult != Success ? openResult : writeResult);
        QVERIFY(!player.WavePlaying());
        QVERIFY(!player.HoldsSample());
        const qsizetype callsSoFar = output_.calls.size();
        player.PlayWave(-1);
        QCOMPARE(output_.calls.size(), callsSoFar);
    }

    void playingLastsUntilOutputReportsDone() {
        SoundPlayerUncompressedWAV player(output_);
        Load(player, Counting(400));
        player.PlayEnd = player.SampleFrames();
        player.PlayWave(-1);
        QCOMPARE(player.LastResult(), Success);
        QVERIFY(player.WavePlaying());
        output_.ReportDone();
        QVERIFY(!player.WavePlaying());

        player.PlayWave(-1);
        QVERIFY(player.WavePlaying());
        player.StopWave();
        QCOMPARE(output_.calls.last(), QStringLiteral("Reset"));
        QVERIFY(!player.WavePlaying());
    }
};

QTEST_GUILESS_MAIN(PlayWaveTest)
#include "PlayWaveTest.moc"
