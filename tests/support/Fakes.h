#pragma once
// The fakes the tests, the benchmarks and the fuzz targets put in place of the
// program's outside world (logic side).

#include "clock/ClockHost.h"
#include "sound/AudioOutput.h"
#include "sound/SoundCues.h"
#include "sound/SoundResult.h"
#include "state/Messages.h"

#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace velmora::test {

class RecordingCues final : public SoundCues {
public:
    void Play(Cue cue) noexcept override { played.push_back(cue); }
    std::vector<Cue> played;
};

// Records every message shown as "icon: text" (icon None, Warning or Critical).
class RecordingMessages final : public Messages {
public:
    void Show(MessageIcon icon, const QString& text) override {
        static const char* const names[] = {"None", "Warning", "Critical"};
        if (!unattended) // unattended, the real ones go to the log
            shown << QString::fromLatin1(names[int(icon)]) + QStringLiteral(": ") + text;
        if (onShow)
            onShow();
    }
    void SetUnattended(bool value) override { unattended = value; }

    QStringList shown;
    bool unattended = false;
    std::function<void()> onShow; // e.g. a test's look at the state while a message is up
};

// Records what it is asked to play ("Open <device>", "Write", "Reset"). A
// sound is done at a reset or the next open, as with the real output.
class FakeAudioOutput final : public AudioOutput {
public:
    std::int32_t Open(int device, const WaveFormatEx& format, DoneHandler onDone) override {
        calls << QStringLiteral("Open %1").arg(device);
        ReportDone();
        openedFormat = format;
        onDone_ = openResult == Success ? std::move(onDone) : DoneHandler();
        return openResult;
    }
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) override {
        calls << QStringLiteral("Write");
        writtenRange = {offset, length};
        writtenOutside = offset < 0 || length < 0 || offset + length > samples.size();
        written = samples.mid(offset, length);
        return writeResult;
    }
    void Reset() override {
        calls << QStringLiteral("Reset");
        ReportDone();
    }

    std::int32_t openResult = Success;
    std::int32_t writeResult = Success;
    QStringList calls;
    WaveFormatEx openedFormat;
    using Range = std::pair<qsizetype, qsizetype>; // offset, length
    Range writtenRange;
    bool writtenOutside = false; // a range beyond the samples handed over
    QByteArray written;

private:
    void ReportDone() {
        if (onDone_)
            std::exchange(onDone_, {})();
    }

    DoneHandler onDone_;
};

// The window around the clock engine, reduced to what the engine can see. The
// status of a forced hand-over reads "message / next player".
class FakeClockHost : public ClockHost {
public:
    bool ClockRunning() const override { return running; }
    void SetClockRunning(bool value) override { running = value; }
    int TimerInterval() const override { return 100; }
    void ShowTimes() override {}
    void ShowTurn(std::uint8_t player, bool forced, const QString& message) override {
        status = forced ? message + QStringLiteral(" / ") + QString::number(player) : QString();
    }
    void SetStatus(const QString& text) override { status = text; }
    void ShowPause(bool) override {}
    TimeControlAnswer AskTimeControl(const TimeSettings&, bool) override { return answer; }

    bool running = false;
    QString status;
    TimeControlAnswer answer;
};

} // namespace velmora::test
