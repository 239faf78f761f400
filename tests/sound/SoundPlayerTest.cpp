// LoadWave and PlayWave against a fake output: what a file loads as is
// checked through the bytes the player hands to the output.

#include "SoundTestSupport.h"

#include "sound/SoundPlayerUncompressedWAV.h"

#include <climits>
#include <memory>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveKind Stereo16{16, 2, 44100};
const WaveKind Mono8{8, 1, 8000};
const QByteArray NamedPipe = "(a named pipe)";

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
        QTest::newRow("24-bit mono 96 kHz") << WaveKind{24, 1, 96000};
        QTest::newRow("32-bit stereo 48 kHz") << WaveKind{32, 2, 48000};
        QTest::newRow("float stereo 22.05 kHz") << WaveKind{32, 2, 22050, Coding::Float};
        QTest::newRow("extensible 24-bit stereo") << WaveKind{24, 2, 48000, Coding::ExtensiblePcm};
        QTest::newRow("extensible float mono") << WaveKind{32, 1, 96000, Coding::ExtensibleFloat};
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
        QCOMPARE(format.ExtraSize, kind.Extensible() ? 22 : 0);
        QCOMPARE(player_->SampleFrames(), data.size() / kind.BlockAlign());
        QCOMPARE(PlayAll(), data);
        QCOMPARE(output_.openedFormat, format);
    }

    // Each file is loaded after a good one: it loads as `data`, or (null) fails
    // and leaves the sample held before whole.
    void loadsOrKeepsHeldSample_data() {
        QTest::addColumn<QByteArray>("file"); // null: no file at all
        QTest::addColumn<QByteArray>("data");
        const QByteArray fmt = Chunk("fmt ", Fmt(Stereo16));
        const QByteArray samples = Counting(400);
        const QByteArray data = Chunk("data", samples);
        const QByteArray list = Chunk("LIST", "INFOISFT\x05\x00\x00\x00Test!\x00"_ba);
        const QByteArray fact = Chunk("fact", "\x64\x00\x00\x00"_ba);
        QByteArray noAlignment = Fmt(Stereo16);
        noAlignment[12] = noAlignment[13] = '\0';
        const QByteArray big(MaxSampleBytes + 5, 'b');
        const QByteArray fails;
        QTest::newRow("missing file") << QByteArray() << fails;
        QTest::newRow("named pipe") << NamedPipe << fails;
        QTest::newRow("empty file") << ""_ba << fails;
        QTest::newRow("not RIFF") << "A text file, not a sound."_ba << fails;
        QTest::newRow("RIFF header cut") << "RIFF\x24\x00"_ba << fails;
        QTest::newRow("RIFF without form type") << "RIFF\x00\x00\x00\x00"_ba << fails;
        QTest::newRow("RIFF of another form") << Riff(fmt + data, "AVI ") << fails;
        QTest::newRow("data before fmt") << Riff(data + fmt) << fails;
        QTest::newRow("no data chunk") << Riff(fmt) << fails;
        QTest::newRow("fmt only inside a LIST")
            << Riff(Chunk("LIST", "INFO" + fmt) + data) << fails;
        QTest::newRow("data after the RIFF chunk") << Riff(fmt) + data << fails;
        QTest::newRow("fmt of 14 bytes") << Riff(Chunk("fmt ", Fmt(Stereo16, 14)) + data) << fails;
        QTest::newRow("fmt cut by the file end")
            << Riff(Chunk("fmt ", Fmt(Stereo16, 10), 16)) << fails;
        QTest::newRow("block alignment 0") << Riff(Chunk("fmt ", noAlignment) + data) << fails;
        QTest::newRow("fmt of 18 bytes")
            << Riff(Chunk("fmt ", Fmt(Stereo16, 18)) + data) << samples;
        QTest::newRow("fmt of 40 bytes")
            << Riff(Chunk("fmt ", Fmt(Stereo16, 40)) + data) << samples;
        QTest::newRow("LIST and fact before fmt") << Riff(list + fact + fmt + data) << samples;
        QTest::newRow("fact between fmt and data") << Riff(fmt + fact + data) << samples;
        QTest::newRow("odd chunk padded") << Riff(fmt + Chunk("junk", "odd") + data) << samples;
        QTest::newRow("odd fmt padded")
            << Riff(Chunk("fmt ", Fmt(Mono8, 17)) + Chunk("data", "abc")) << "abc"_ba;
        QTest::newRow("odd data at the end, unpadded")
            << Chunk("RIFF", "WAVE" + Chunk("fmt ", Fmt(Mono8)) + Chunk("data", "xyz", 3), 39)
            << "xyz"_ba;
        // The loader walks from chunk to chunk and never searches the bytes.
        QTest::newRow("'data' inside another chunk")
            << Riff(fmt + Chunk("LIST", "INFO" + Chunk("data", "fake")) + data) << samples;
        QTest::newRow("RIFF of another form first")
            << Riff(fmt + data, "AVI ") + Riff(fmt + data) << samples;
        QTest::newRow("data cut short") << Riff(fmt + Chunk("data", samples, 4000)) << samples;
        QTest::newRow("RIFF and data declaring 4 GiB")
            << Chunk("RIFF", "WAVE" + fmt + Chunk("data", samples, 0xFFFFFFFF), 0xFFFFFFFF)
            << samples;
        QTest::newRow("over 16 MiB of data: 16 MiB in whole 3-byte frames")
            << Riff(Chunk("fmt ", Fmt({24, 1, 48000})) + Chunk("data", big))
            << big.left(MaxSampleBytes - 1);
    }
    void loadsOrKeepsHeldSample() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, data);
        const QByteArray good(300, '\x11');
        Load(WaveFile(Mono8, good));
        const WaveFormatEx held = player_->WaveFormat();
        const QString path = dir_.filePath("other.wav");
        QFile::remove(path);
        if (file == NamedPipe)
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (!file.isNull())
            WriteFile(dir_, "other.wav", file);
        player_->LoadWave(path);
        QCOMPARE(player_->WaveLoaded, !data.isNull());
        if (data.isNull()) {
            QCOMPARE(player_->WaveFormat(), held);
            QCOMPARE(player_->SampleFrames(), 300);
        }
        QCOMPARE(PlayAll(), data.isNull() ? good : data);
    }

    // Data bytes / block alignment, to the nearest whole frame, halves to even.
    void countsFrames() {
        const std::pair<int, int> bytesToFrames[] = {
            {4000, 1000}, {4002, 1000}, {4003, 1001}, {4006, 1002}};
        for (const auto& [bytes, frames] : bytesToFrames) {
            Load(WaveFile(Stereo16, Counting(bytes)));
            QCOMPARE(player_->SampleFrames(), frames);
        }
    }

    // The output gets frames PlayStart to PlayEnd, never a byte beyond the sample.
    void playsFrameRange_data() {
        QTest::addColumn<int>("playStart");
        QTest::addColumn<int>("playEnd");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("length");
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
        Load(WaveFile(Stereo16, Counting(4003))); // 1001 frames counted, 1000 whole
        player_->PlayStart = playStart;
        player_->PlayEnd = playEnd;
        player_->PlayWave(-1);
        QCOMPARE(output_.writtenRange, FakeAudioOutput::Range(offset, length));
    }

    // A sound the output refuses releases the sample; without one, PlayWave does nothing.
    void failingOutputReleasesSample() {
        for (const auto& [openResult, writeResult] :
             {std::pair{BadFormat, Success}, {Success, Failed}}) {
            Load(WaveFile(Stereo16, Counting(400)));
            output_.openResult = openResult;
            output_.writeResult = writeResult;
            PlayAll();
            QCOMPARE(player_->LastResult(), openResult ? openResult : writeResult);
            QVERIFY(!player_->WavePlaying());
            QVERIFY(!player_->HoldsSample());
            output_.calls.clear();
            PlayAll();
            QVERIFY(output_.calls.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
