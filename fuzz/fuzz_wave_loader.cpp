// The WAV loader and player on arbitrary file contents: a load either fails
// and keeps the good sample held before, or succeeds; playing any frame range
// never hands the output a byte outside the held sample.
#include "Fakes.h"

#include "sound/SoundPlayerUncompressedWAV.h"
#include "sound/SoundResult.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace velmora;

void AppendLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
}

// A valid 16-bit mono file of 8 frames at 8 kHz.
QByteArray GoodFile() {
    QByteArray file("RIFF");
    AppendLittleEndian(file, 4 + 8 + 16 + 8 + 16, 4);
    file.append("WAVEfmt ");
    AppendLittleEndian(file, 16, 4);
    for (auto [value, size] :
         {std::pair{1u, 2}, {1u, 2}, {8000u, 4}, {16000u, 4}, {2u, 2}, {16u, 2}})
        AppendLittleEndian(file, value, size);
    file.append("data");
    AppendLittleEndian(file, 16, 4);
    file.append(16, '\x11');
    return file;
}

void Write(const QString& path, const char* data, qsizetype size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(data, size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    static const QString good = dir.filePath(QStringLiteral("good.wav"));
    static const QString input = dir.filePath(QStringLiteral("input.wav"));
    static const QByteArray goodBytes = GoodFile();
    static bool written = false;
    if (!written) {
        Write(good, goodBytes.constData(), goodBytes.size());
        written = true;
    }
    Write(input, reinterpret_cast<const char*>(data), qsizetype(size));

    test::FakeAudioOutput output;
    SoundPlayerUncompressedWAV player(output);
    player.LoadWave(good);
    if (!player.WaveLoaded || player.SampleFrames() != 8)
        std::abort();
    player.LoadWave(input);
    if (!player.WaveLoaded && player.SampleFrames() != 8)
        std::abort(); // a failed load lost the good sample

    // Frame ranges from the input's first bytes, whatever they say.
    std::int32_t range[2] = {0, player.SampleFrames()};
    std::memcpy(range, data, std::min(size, sizeof range));
    for (auto [start, end] : {std::pair{0, player.SampleFrames()}, std::pair{range[0], range[1]}}) {
        player.PlayStart = start;
        player.PlayEnd = end;
        player.PlayWave(-1);
        if (output.writtenOutside) // never a byte outside the held sample
            std::abort();
        player.StopWave();
    }
    return 0;
}
