// LoadWave, PlayWave and StopWave against a fake output: what a file loads
// as is checked through the bytes the player hands to the output.

#include "FakeAudioOutput.h"
#include "WaveBytes.h"

#include "sound/SoundPlayerUncompressedWAV.h"

#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveKind Stereo16{SampleCode::Pcm16, 2, 44100};
const WaveKind Mono8{SampleCode::Pcm8, 1, 8000};

QByteArray Counting(int bytes) {
    QByteArray data(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        data[i] = char(i * 7);
    return data;
}

} // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeAudioOutput output_;
    std::unique_ptr<SoundPlayerUncompressedWAV> player_;

    void Load(const QByteArray& file) { player_->LoadWave(WriteFile(dir_, "sound.wav", file)); }
    QByteArray PlayAll() {
        player_->PlayStart = 0;
        player_->PlayEnd = player_->SampleFrames();
        player_->PlayWave(-1);
        return output_.written;
    }

private Q_SLOTS:
    void init() {
        output_ = FakeAudioOutput();
        player_ = std::make_unique<SoundPlayerUncompressedWAV>(output_);
    }

    void loadsPlayableFormats_data() {
        QTest::addColumn<WaveKind>("kind");
        QTest::newRow("8-bit mono 8 kHz") << Mono8;
        QTest::newRow("16-bit stereo 44.1 kHz") << Stereo16;
        QTest::newRow("24-bit mono 96 kHz") << WaveKind{SampleCode::Pcm24, 1, 96000};
        QTest::newRow("32-bit stereo 48 kHz") << WaveKind{SampleCode::Pcm32, 2, 48000};
        QTest::newRow("float stereo 22.05 kHz") << WaveKind{SampleCode::Float32, 2, 22050};
        QTest::newRow("extensible 24-bit stereo") << WaveKind{SampleCode::Pcm24, 2, 48000, true};
        QTest::newRow("extensible float mono") << WaveKind{SampleCode::Float32, 1, 96000, true};
    }
    void loadsPlayableFormats() {
        QFETCH(WaveKind, kind);
        const QByteArray data = ToneData(kind, 0.02);
        Load(WaveFile(kind, data));
        QVERIFY(player_->WaveLoaded);
        const WaveFormatEx& format = player_->WaveFormat();
        QCOMPARE(format.Channels, kind.channels);
        QCOMPARE(format.SamplesPerSec, kind.rate);
        QCOMPARE(format.BlockAlign, kind.BlockAlign());
        // A 16-byte record reads no bytes beyond its chunk: those are "da" of "data".
        QCOMPARE(format.ExtraSize, kind.extensible ? 22 : 0);
        QCOMPARE(player_->SampleFrames(), data.size() / kind.BlockAlign());
        QCOMPARE(PlayAll(), data);
        QCOMPARE(output_.openedFormat, format);
    }

    // Each of these fails to load, and the sample held before stays whole.
    void brokenFileKeepsHeldSample_data() {
        QTest::addColumn<QByteArray>("file"); // null: no file at all
        const QByteArray fmt = Chunk("fmt ", FmtContent(Stereo16));
        const QByteArray data = Chunk("data", Counting(400));
        QByteArray noAlignment = FmtContent(Stereo16);
        noAlignment[12] = noAlignment[13] = '\0';
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("not RIFF") << QByteArray("A text file, not a sound.");
        QTest::newRow("RIFF header cut") << Bytes("RIFF\x24\x00");
        QTest::newRow("RIFF without form type") << Bytes("RIFF\x00\x00\x00\x00");
        QTest::newRow("RIFF of another form") << Riff(fmt + data, "AVI ");
        QTest::newRow("data before fmt") << Riff(data + fmt);
        QTest::newRow("no data chunk") << Riff(fmt);
        QTest::newRow("fmt only inside a LIST") << Riff(Chunk("LIST", "INFO" + fmt) + data);
        QTest::newRow("data after the RIFF chunk") << Riff(fmt) + data;
        QTest::newRow("fmt of 14 bytes") << Riff(Chunk("fmt ", fmt.mid(8, 14)) + data);
        QTest::newRow("fmt cut by the file end")
            << Riff(ChunkDeclaring("fmt ", 16, fmt.mid(8, 10)));
        QTest::newRow("block alignment 0") << Riff(Chunk("fmt ", noAlignment) + data);
    }
    void brokenFileKeepsHeldSample() {
        QFETCH(QByteArray, file);
        const QByteArray good(300, '\x11');
        Load(WaveFile(Mono8, good));
        const WaveFormatEx held = player_->WaveFormat();
        player_->LoadWave(file.isNull() ? dir_.filePath("missing.wav")
                                        : WriteFile(dir_, "bad.wav", file));
        QVERIFY(!player_->WaveLoaded);
        QCOMPARE(player_->WaveFormat(), held);
        QCOMPARE(player_->SampleFrames(), 300);
        QCOMPARE(PlayAll(), good);
    }

    void loadsUnusualLayouts_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("data"); // what must be held
        const QByteArray fmt = Chunk("fmt ", FmtContent(Stereo16));
        const QByteArray samples = Counting(400);
        const QByteArray data = Chunk("data", samples);
        const QByteArray list = Chunk("LIST", Bytes("INFOISFT\x05\x00\x00\x00Test!\x00"));
        const QByteArray fact = Chunk("fact", Bytes("\x64\x00\x00\x00"));
        const QByteArray unpadded =
            "WAVE" + Chunk("fmt ", FmtContent(Mono8)) + ChunkDeclaring("data", 3, "xyz");
        QTest::newRow("fmt of 18 bytes")
            << Riff(Chunk("fmt ", FmtRecord(Stereo16).left(18)) + data) << samples;
        QTest::newRow("fmt of 40 bytes")
            << Riff(Chunk("fmt ", FmtRecord(Stereo16)) + data) << samples;
        QTest::newRow("LIST and fact before fmt") << Riff(list + fact + fmt + data) << samples;
        QTest::newRow("fact between fmt and data") << Riff(fmt + fact + data) << samples;
        QTest::newRow("odd chunk padded") << Riff(fmt + Chunk("junk", "odd") + data) << samples;
        QTest::newRow("odd fmt padded")
            << Riff(Chunk("fmt ", FmtRecord(Mono8).left(17)) + Chunk("data", "abc"))
            << QByteArray("abc");
        QTest::newRow("odd data at the end, unpadded")
            << ChunkDeclaring("RIFF", 39, unpadded) << QByteArray("xyz");
        QTest::newRow("'data' inside another chunk")
            << Riff(fmt +
                    Chunk("LIST", Bytes("INFOdata\x04\x00\x00\x00"
                                        "fake")) +
                    data)
            << samples;
        QTest::newRow("RIFF of another form first")
            << Riff(fmt + data, "AVI ") + Riff(fmt + data) << samples;
        QTest::newRow("data cut short")
            << Riff(fmt + ChunkDeclaring("data", 4000, samples)) << samples;
        QTest::newRow("RIFF and data declaring 4 GiB")
            << ChunkDeclaring("RIFF", 0xFFFFFFFF,
                              "WAVE" + fmt + ChunkDeclaring("data", 0xFFFFFFFF, samples))
            << samples;
    }
    void loadsUnusualLayouts() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, data);
        Load(file);
        QVERIFY(player_->WaveLoaded);
        QCOMPARE(PlayAll(), data);
    }

    // Data bytes / block alignment, to the nearest whole frame, halves to even.
    void countsFrames_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("frames");
        QTest::newRow("4000 bytes") << 4000 << 1000;
        QTest::newRow("4002 bytes, half down to even") << 4002 << 1000;
        QTest::newRow("4003 bytes") << 4003 << 1001;
        QTest::newRow("4006 bytes, half up to even") << 4006 << 1002;
    }
    void countsFrames() {
        QFETCH(int, bytes);
        QFETCH(int, frames);
        Load(WaveFile(Stereo16, Counting(bytes)));
        QCOMPARE(player_->SampleFrames(), frames);
    }

    // The output gets frames PlayStart to PlayEnd, never a byte beyond the sample.
    void playsFrameRange_data() {
        QTest::addColumn<int>("playStart");
        QTest::addColumn<int>("playEnd");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("length");
        QTest::newRow("whole") << 0 << 1000 << 0 << 4000;
        QTest::newRow("frames 250 to 500") << 250 << 500 << 1000 << 1000;
        QTest::newRow("end beyond") << 900 << 5000 << 3600 << 400;
        QTest::newRow("start before") << -10 << 10 << 0 << 40;
        QTest::newRow("start beyond") << 2000 << 3000 << 4000 << 0;
        QTest::newRow("end before start") << 500 << 250 << 2000 << 0;
        QTest::newRow("widest") << INT_MIN << INT_MAX << 0 << 4000;
        QTest::newRow("rounded-up last frame") << 0 << 1001 << 0 << 4000;
    }
    void playsFrameRange() {
        QFETCH(int, playStart);
        QFETCH(int, playEnd);
        QFETCH(int, offset);
        QFETCH(int, length);
        const QByteArray data = Counting(4003); // 1001 frames counted, 1000 whole
        Load(WaveFile(Stereo16, data));
        player_->PlayStart = playStart;
        player_->PlayEnd = playEnd;
        player_->PlayWave(-1);
        QCOMPARE(output_.openedDevice, -1);
        QVERIFY(output_.inside);
        QCOMPARE(output_.writtenOffset, offset);
        QCOMPARE(output_.written, data.mid(offset, length));
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
        Load(WaveFile(Stereo16, Counting(400)));
        output_.openResult = openResult;
        output_.writeResult = writeResult;
        PlayAll();
        QCOMPARE(player_->LastResult(), openResult ? openResult : writeResult);
        QVERIFY(!player_->WavePlaying());
        QVERIFY(!player_->HoldsSample());
        output_.calls.clear();
        PlayAll(); // nothing held: nothing happens
        QVERIFY(output_.calls.isEmpty());
    }

    void playingLastsUntilOutputIsDone() {
        Load(WaveFile(Stereo16, Counting(400)));
        PlayAll();
        QVERIFY(player_->WavePlaying());
        output_.ReportDone();
        QVERIFY(!player_->WavePlaying());
        PlayAll();
        player_->StopWave();
        QCOMPARE(output_.calls.last(), "Reset");
        QVERIFY(!player_->WavePlaying());
    }
};

QTEST_GUILESS_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
