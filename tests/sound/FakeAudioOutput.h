#pragma once

#include "sound/AudioOutput.h"
#include "sound/SoundResult.h"

#include <QByteArray>
#include <QStringList>

#include <utility>

namespace velmora::test {

// An audio output that records what it is asked to play. It reports a sound
// done only when the test says so, or when it is reset or opened anew.
class FakeAudioOutput final : public AudioOutput {
public:
    std::int32_t Open(int device, const WaveFormatEx& format, DoneHandler onDone) override {
        calls << QStringLiteral("Open");
        ReportDone();
        openedDevice = device;
        openedFormat = format;
        if (openResult == Success)
            onDone_ = std::move(onDone);
        return openResult;
    }
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) override {
        calls << QStringLiteral("Write");
        writtenOffset = offset;
        writtenLength = length;
        writtenInside = offset >= 0 && length >= 0 && offset + length <= samples.size();
        written = writtenInside ? samples.mid(offset, length) : QByteArray();
        return writeResult;
    }
    void Reset() override {
        calls << QStringLiteral("Reset");
        ReportDone();
    }

    // The sound has ended.
    void ReportDone() {
        if (onDone_)
            std::exchange(onDone_, {})();
    }

    std::int32_t openResult = Success;
    std::int32_t writeResult = Success;

    QStringList calls;
    int openedDevice = 0;
    WaveFormatEx openedFormat;
    qsizetype writtenOffset = -1;
    qsizetype writtenLength = -1;
    bool writtenInside = false;
    QByteArray written;

private:
    DoneHandler onDone_;
};

} // namespace velmora::test
