#include "sound/SoundThread.h"

#include "sound/AudioOutput.h"
#include "sound/SoundPlayerUncompressedWAV.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <utility>

namespace velmora {

namespace {

struct Request {
    std::optional<QString> path;
    QDeadlineTimer deadline;
};

qint64 NowMs() {
    return QDeadlineTimer::current().deadline();
}

} // namespace

// One thread with its own output and player. It takes cues only in its own
// loop, never from inside a nested event loop (Qt Multimedia runs one while it
// destroys a sink), so no cue starts inside another cue's teardown.
class SoundThread::Worker final : public QThread {
public:
    explicit Worker(OutputFactory makeOutput) : makeOutput_(std::move(makeOutput)) {
        waker_.moveToThread(this);
    }

    void Post(Request request) {
        QMutexLocker lock(&mutex_);
        // One wake-up per request taken, so that a stuck thread piles none up.
        if (!request_)
            QCoreApplication::postEvent(&waker_, new QEvent(QEvent::User));
        request_ = std::move(request);
    }
    void Quit() {
        QMutexLocker lock(&mutex_);
        quit_ = true;
        QCoreApplication::postEvent(&waker_, new QEvent(QEvent::User));
    }
    bool BusyLongerThan(int ms) const {
        const qint64 since = busySinceMs_.load();
        return since >= 0 && NowMs() - since > ms;
    }

protected:
    void run() override {
        const std::unique_ptr<AudioOutput> output = makeOutput_();
        SoundPlayerUncompressedWAV player(*output);
        for (;;) {
            std::optional<Request> request;
            {
                QMutexLocker lock(&mutex_);
                if (quit_)
                    return;
                request = std::exchange(request_, std::nullopt);
            }
            if (!request) {
                // The sinks' timers and signals; a posted wake-up ends the wait.
                QAbstractEventDispatcher::instance()->processEvents(QEventLoop::WaitForMoreEvents);
            } else if (!request->deadline.hasExpired()) {
                busySinceMs_.store(NowMs());
                player.PlayFile(request->path);
                if (request->deadline.hasExpired())
                    player.StopWave();
                busySinceMs_.store(-1);
            }
        }
    }

private:
    const OutputFactory makeOutput_;
    QObject waker_; // lives on this thread: an event posted to it wakes the loop
    QMutex mutex_;
    std::optional<Request> request_;
    bool quit_ = false;
    std::atomic<qint64> busySinceMs_{-1};
};

SoundThread::SoundThread(OutputFactory makeOutput, Limits limits)
    : makeOutput_(std::move(makeOutput)), limits_(limits) {}

SoundThread::~SoundThread() {
    for (const auto& worker : workers_)
        worker->Quit();
    const QDeadlineTimer deadline(limits_.exitWaitMs);
    for (auto& worker : workers_) {
        if (!worker->wait(deadline))
            (void)worker.release(); // stuck inside the sound server's library for good
    }
}

void SoundThread::PlayFile(const std::optional<QString>& path) noexcept {
    try {
        const bool stuck =
            !workers_.empty() && workers_.back()->BusyLongerThan(limits_.stuckAfterMs);
        if (workers_.empty() || (stuck && workers_.size() <= std::size_t(limits_.maxAbandoned))) {
            workers_.push_back(std::make_unique<Worker>(makeOutput_));
            workers_.back()->start();
        }
        workers_.back()->Post({path, QDeadlineTimer(limits_.cueDeadlineMs)});
    } catch (...) {
        // Sound is a courtesy: without a thread the cue stays silent.
    }
}

} // namespace velmora
