#pragma once

#include "sound/WaveFormatEx.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace velmora {

// How a WAV sample is handed to Qt's audio output.
struct OutputFormat {
    QAudioFormat format;
    // Qt has no 24-bit samples: they are widened to 32 bits on the way out.
    bool widen24To32 = false;
};

// The output format for uncompressed PCM (8-bit unsigned, 16, 24 and 32-bit)
// and 32-bit float samples, plain or extensible; empty for anything else.
std::optional<OutputFormat> OutputFormatFor(const WaveFormatEx& wave);

// 24-bit little-endian samples as 32-bit ones with the same level.
QByteArray Widen24To32(QByteArrayView samples24);

} // namespace velmora
