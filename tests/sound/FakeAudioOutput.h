#pragma once

#include "sound/AudioOutput.h"
#include "sound/SoundResult.h"

#include <QStringList>

#include <utility>

namespace velmora::test {

// Records what it is asked to play. A sound is done when the test says so,
// or at a reset or the next open, as with the real output.
class FakeAudioOutput final : public AudioOutput {
public:
    std::int32_t Open(int device, const WaveFormatEx& format, DoneHandler onDone) override {
        calls << "Open";
        ReportDone();
        openedDevice = device;
        openedFormat = format;
        onDone_ = openResult == Success ? std::move(onDone) : DoneHandler();
        return openResult;
    }
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) override {
        calls << "Write";
        writtenOffset = offset;
        inside = offset >= 0 && length >= 0 && offset + length <= samples.size();
        written = inside ? samples.mid(offset, length) : QByteArray();
        return writeResult;
    }
    void Reset() override {
        calls << "Reset";
        ReportDone();
    }
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
    bool inside = false; // the written range lay within the samples
    QByteArray written;

private:
    DoneHandler onDone_;
};

} // namespace velmora::test
