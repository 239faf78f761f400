#include "sound/module/OutputFormat.h"

#include <climits>

namespace velmora {

namespace {

QAudioFormat::SampleFormat QtSampleFormat(std::uint16_t coding, std::uint16_t bits) {
    if (coding == WaveFormatPcm) {
        switch (bits) {
        case 8:
            return QAudioFormat::UInt8;
        case 16:
            return QAudioFormat::Int16;
        case 24:
        case 32:
            return QAudioFormat::Int32;
        }
    }
    if (coding == WaveFormatIeeeFloat && bits == 32)
        return QAudioFormat::Float;
    return QAudioFormat::Unknown;
}

} // namespace

std::optional<OutputFormat> OutputFormatFor(const WaveFormatEx& wave) {
    const QAudioFormat::SampleFormat sampleFormat =
        QtSampleFormat(SampleCoding(wave), wave.BitsPerSample);
    // Frames must be exactly one sample per channel, or the bytes cannot be read.
    const bool framesFit =
        wave.Channels > 0 && wave.BlockAlign == wave.Channels * wave.BitsPerSample / 8;
    if (sampleFormat == QAudioFormat::Unknown || !framesFit || wave.SamplesPerSec == 0 ||
        wave.SamplesPerSec > INT_MAX)
        return std::nullopt;

    OutputFormat output;
    output.format.setSampleFormat(sampleFormat);
    output.format.setChannelCount(wave.Channels);
    output.format.setSampleRate(static_cast<int>(wave.SamplesPerSec));
    output.widen24To32 = wave.BitsPerSample == 24;
    return output;
}

QByteArray Widen24To32(QByteArrayView samples24) {
    // Each sample becomes the top three bytes of a 32-bit one.
    const qsizetype samples = samples24.size() / 3;
    QByteArray wide(samples * 4, Qt::Uninitialized);
    char* to = wide.data();
    const char* from = samples24.data();
    for (qsizetype i = 0; i < samples; ++i, from += 3, to += 4) {
        to[0] = 0;
        to[1] = from[0];
        to[2] = from[1];
        to[3] = from[2];
    }
    return wide;
}

} // namespace velmora
