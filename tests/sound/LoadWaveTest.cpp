// LoadWave on files the tests write: every playable format, broken files,
// unusual chunk layouts and the frame count. What was loaded is checked
// through the bytes the player hands to a fake output.

#include "FakeAudioOutput.h"
#include "WaveBytes.h"

#include "sound/SoundPlayerUncompressedWAV.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const WaveSpec Stereo16{SampleCode::Pcm16, 2, 44100, false};

// A sample whose bytes all differ from the test files' tones.
const QByteArray GoodData = QByteArray(400, '\x11');

} // namespace

class LoadWaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeAudioOutput output_;

    // Plays the whole held sample and returns the bytes the output got.
    QByteArray PlayAll(SoundPlayerUncompressedWAV& player) {
        player.PlayStart = 0;
        player.PlayEnd = player.SampleFrames();
        player.PlayWave(-1);
        return output_.written;
    }

private Q_SLOTS:
    void init() { output_ = FakeAudioOutput(); }

    void loadsEveryPlayableFormat_data() {
        QTest::addColumn<WaveSpec>("spec");
        QTest::newRow("8-bit mono 8 kHz") << WaveSpec{SampleCode::Pcm8, 1, 8000, false};
        QTest::newRow("8-bit stereo 22.05 kHz") << WaveSpec{SampleCode::Pcm8, 2, 22050, false};
        QTest::newRow("16-bit mono 44.1 kHz") << WaveSpec{SampleCode::Pcm16, 1, 44100, false};
        QTest::newRow("16-bit stereo 48 kHz") << WaveSpec{SampleCode::Pcm16, 2, 48000, false};
        QTest::newRow("24-bit mono 96 kHz") << WaveSpec{SampleCode::Pcm24, 1, 96000, false};
        QTest::newRow("24-bit stereo 44.1 kHz") << WaveSpec{SampleCode::Pcm24, 2, 44100, false};
        QTest::newRow("32-bit stereo 48 kHz") << WaveSpec{SampleCode::Pcm32, 2, 48000, false};
        QTest::newRow("float mono 16 kHz") << WaveSpec{SampleCode::Float32, 1, 16000, false};
        QTest::newRow("float stereo 96 kHz") << WaveSpec{SampleCode::Float32, 2, 96000, false};
        QTest::newRow("extensible 16-bit stereo") << WaveSpec{SampleCode::Pcm16, 2, 44100, true};
        QTest::newRow("extensible 24-bit stereo") << WaveSpec{SampleCode::Pcm24, 2, 48000, true};
        QTest::newRow("extensible float mono") << WaveSpec{SampleCode::Float32, 1, 96000, true};
    }
    void loadsEveryPlayableFormat() {
        QFETCH(WaveSpec, spec);
        const QByteArray data = ToneData(spec, 0.05);
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(WriteFile(dir_, QStringLiteral("tone.wav"), WaveFile(spec, data)));

        QVERIFY(player.WaveLoaded);
        const WaveFormatEx& format = player.WaveFormat();
        QCOMPARE(format.FormatTag, spec.FormatTag());
        QCOMPARE(format.Channels, spec.channels);
        QCOMPARE(format.SamplesPerSec, spec.rate);
        QCOMPARE(format.BlockAlign, spec.BlockAlign());
        QCOMPARE(format.BitsPerSample, 8 * spec.BytesPerSample());
        QCOMPARE(player.SampleFrames(), data.size() / spec.BlockAlign());
        QCOMPARE(PlayAll(player), data);
        QCOMPARE(output_.openedFormat, format);
    }

    // Each file fails to load; the sample loaded before stays held whole.
    void brokenFileKeepsHeldSample_data() {
        QTest::addColumn<QByteArray>("file"); // a null array: no file at all
        const QByteArray fmt = Chunk("fmt ", FmtContent(Stereo16));
        const QByteArray data = Chunk("data", QByteArray(400, '\x22'));
        QByteArray zeroAlignment = FmtContent(Stereo16);
        zeroAlignment[12] = zeroAlignment[13] = '\0';

        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("not RIFF") << QByteArray("This is a text file, not a sound.");
        QTest::newRow("cut in the RIFF header") << Bytes("RIFF\x24\x00");
        QTest::newRow("RIFF of another form") << Riff(fmt + data, "AVI ");
        QTest::newRow("RIFF without form type") << Bytes("RIFF\x00\x00\x00\x00");
        QTest::newRow("data before fmt") << Riff(data + fmt);
        QTest::newRow("no data chunk") << Riff(fmt);
        QTest::newRow("no fmt chunk") << Riff(data);
        QTest::newRow("fmt only inside a LIST") << Riff(Chunk("LIST", "INFO" + fmt) + data);
        QTest::newRow("data after the RIFF chunk") << Riff(fmt) + data;
        QTest::newRow("fmt of 14 bytes")
            << Riff(Chunk("fmt ", FmtContent(Stereo16).left(14)) + data);
        QTest::newRow("fmt cut by the file end")
            << Riff(ChunkDeclaring("fmt ", 16, FmtContent(Stereo16).left(10)));
        QTest::newRow("block alignment 0") << Riff(Chunk("fmt ", zeroAlignment) + data);
    }
    void brokenFileKeepsHeldSample() {
        QFETCH(QByteArray, file);
        const WaveSpec held{SampleCode::Pcm8, 1, 8000, false};
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(WriteFile(dir_, QStringLiteral("good.wav"), WaveFile(held, GoodData)));
        QVERIFY(player.WaveLoaded);
        const WaveFormatEx heldFormat = player.WaveFormat();

        const QString path = file.isNull() ? dir_.filePath(QStringLiteral("missing.wav"))
                                           : WriteFile(dir_, QStringLiteral("broken.wav"), file);
        player.LoadWave(path);

        QVERIFY(!player.WaveLoaded);
        QCOMPARE(player.WaveFormat(), heldFormat);
        QCOMPARE(player.SampleFrames(), GoodData.size());
        QCOMPARE(PlayAll(player), GoodData);
    }

    void loadsUnusualLayouts_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("data"); // what must be held
        const WaveSpec mono8{SampleCode::Pcm8, 1, 8000, false};
        const QByteArray fmt = Chunk("fmt ", FmtContent(Stereo16));
        const QByteArray samples = ToneData(Stereo16, 0.01);
        const QByteArray data = Chunk("data", samples);
        const QByteArray list = Chunk("LIST", Bytes("INFOISFT\x05\x00\x00\x00Test!\x00"));
        const QByteArray fact = Chunk("fact", Bytes("\x10\x00\x00\x00"));

        QTest::newRow("fmt of 16 bytes") << Riff(fmt + data) << samples;
        QTest::newRow("fmt of 18 bytes")
            << Riff(Chunk("fmt ", FmtRecord(Stereo16).left(18)) + data) << samples;
        QTest::newRow("fmt of 40 bytes")
            << Riff(Chunk("fmt ", FmtRecord(Stereo16)) + data) << samples;
        QTest::newRow("LIST and fact before fmt") << Riff(list + fact + fmt + data) << samples;
        QTest::newRow("fact between fmt and data") << Riff(fmt + fact + data) << samples;
        QTest::newRow("odd chunk padded before data")
            << Riff(fmt + Chunk("junk", "odd") + data) << samples;
        QTest::newRow("chunk hiding 'data' in its content")
            << Riff(fmt +
                    Chunk("LIST", Bytes("INFOdata\x04\x00\x00\x00"
                                        "fake")) +
                    data)
            << samples;
        QTest::newRow("odd fmt chunk padded")
            << Riff(Chunk("fmt ", FmtRecord(mono8).left(17)) + Chunk("data", "abc"))
            << QByteArray("abc");
        const QByteArray unpadded =
            "WAVE" + Chunk("fmt ", FmtContent(mono8)) + ChunkDeclaring("data", 3, "xyz");
        QTest::newRow("odd data at the file end, no pad")
            << ChunkDeclaring("RIFF", unpadded.size(), unpadded) << QByteArray("xyz");
        QTest::newRow("a RIFF of another form first")
            << Riff(fmt + Chunk("data", "other"), "AVI ") + Riff(fmt + data) << samples;
        QTest::newRow("data cut short")
            << Riff(fmt + ChunkDeclaring("data", 4000, samples.left(100))) << samples.left(100);
        QTest::newRow("data declaring 4 GiB")
            << Riff(fmt + ChunkDeclaring("data", 0xFFFFFFFF, samples)) << samples;
        QTest::newRow("RIFF and data declaring 4 GiB")
            << ChunkDeclaring("RIFF", 0xFFFFFFFF,
                              "WAVE" + fmt + ChunkDeclaring("data", 0xFFFFFFFF, samples))
            << samples;
        QTest::newRow("empty data") << Riff(fmt + Chunk("data", "")) << QByteArray();
    }
    void loadsUnusualLayouts() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, data);
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(WriteFile(dir_, QStringLiteral("layout.wav"), file));

        QVERIFY(player.WaveLoaded);
        QCOMPARE(player.SampleFrames(), data.size() / player.WaveFormat().BlockAlign);
        QCOMPARE(PlayAll(player), data);
    }

    // A short record reads as zeros beyond the chunk, not as the bytes after it.
    void shortFmtReadsNoBytesBeyondIt() {
        SoundPlayerUncompressedWAV player(output_);
        const QByteArray file = Riff(Chunk("fmt ", FmtContent(Stereo16)) + Chunk("data", GoodData));
        player.LoadWave(WriteFile(dir_, QStringLiteral("short.wav"), file));
        QVERIFY(player.WaveLoaded);
        QCOMPARE(player.WaveFormat().ExtraSize, 0);
    }

    // Frames = data bytes / block alignment, to the nearest whole, halves to even.
    void countsFrames_data() {
        QTest::addColumn<int>("dataBytes");
        QTest::addColumn<int>("frames");
        QTest::newRow("4000 bytes") << 4000 << 1000;
        QTest::newRow("4001 bytes") << 4001 << 1000;
        QTest::newRow("4002 bytes, half to even below") << 4002 << 1000;
        QTest::newRow("4003 bytes") << 4003 << 1001;
        QTest::newRow("4006 bytes, half to even above") << 4006 << 1002;
        QTest::newRow("2 bytes") << 2 << 0;
        QTest::newRow("no bytes") << 0 << 0;
    }
    void countsFrames() {
        QFETCH(int, dataBytes);
        QFETCH(int, frames);
        SoundPlayerUncompressedWAV player(output_);
        const QByteArray file = WaveFile(Stereo16, QByteArray(dataBytes, '\x01'));
        player.LoadWave(WriteFile(dir_, QStringLiteral("frames.wav"), file));
        QVERIFY(player.WaveLoaded);
        QCOMPARE(player.SampleFrames(), frames);
    }

    void emptyPathReleasesSample() {
        SoundPlayerUncompressedWAV player(output_);
        player.LoadWave(WriteFile(dir_, QStringLiteral("good.wav"), WaveFile(Stereo16, GoodData)));
        QVERIFY(player.HoldsSample());
        player.LoadWave(QString());
        QVERIFY(!player.WaveLoaded);
        QVERIFY(!player.HoldsSample());
        QCOMPARE(player.SampleFrames(), 0);
    }
};

QTEST_GUILESS_MAIN(LoadWaveTest)
#include "LoadWaveTest.moc"
