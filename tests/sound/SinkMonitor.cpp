#include "SinkMonitor.h"

#include <QDir>
#include <QElapsedTimer>

#include <cmath>
#include <cstring>

namespace velmora::test {

SinkMonitor::~SinkMonitor() {
    recorder_.kill();
    recorder_.waitForFinished();
}

bool SinkMonitor::Start() {
    const QString source = qEnvironmentVariable("VELMORA_TEST_SINK") + QStringLiteral(".monitor");
    recorder_.start(QStringLiteral("parec"),
                    {QStringLiteral("--device=") + source, QStringLiteral("--format=s16le"),
                     QStringLiteral("--channels=1"), QStringLiteral("--rate=%1").arg(RecordRate),
                     QStringLiteral("--latency-msec=10")});
    if (!recorder_.waitForStarted())
        return false;
    // The monitor delivers (silent) samples from the start: wait for the first ones.
    QElapsedTimer waited;
    waited.start();
    while (pending_.size() < RecordRate / 10 && waited.elapsed() < 5000) {
        recorder_.waitForReadyRead(100);
        pending_ += recorder_.readAllStandardOutput();
    }
    return pending_.size() >= RecordRate / 10;
}

std::vector<std::int16_t> SinkMonitor::Take() {
    recorder_.waitForReadyRead(50);
    pending_ += recorder_.readAllStandardOutput();
    std::vector<std::int16_t> samples(pending_.size() / 2);
    std::memcpy(samples.data(), pending_.constData(), samples.size() * 2);
    pending_.remove(0, samples.size() * 2);
    return samples;
}

double Rms(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t last) {
    double sum = 0.0;
    for (std::size_t i = first; i < last && i < samples.size(); ++i)
        sum += double(samples[i]) * samples[i];
    return last > first ? std::sqrt(sum / double(last - first)) : 0.0;
}

std::optional<Span> SoundSpan(const std::vector<std::int16_t>& samples, double threshold) {
    constexpr std::size_t Window = SinkMonitor::RecordRate / 100;
    std::optional<Span> span;
    for (std::size_t start = 0; start + Window <= samples.size(); start += Window) {
        if (Rms(samples, start, start + Window) <= threshold)
            continue;
        if (!span)
            span = Span{start, start + Window};
        span->last = start + Window;
    }
    return span;
}

int SinkInputs() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished() || pactl.exitCode() != 0)
        return -1;
    return int(pactl.readAllStandardOutput().count('\n'));
}

int OpenFileDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

} // namespace velmora::test
