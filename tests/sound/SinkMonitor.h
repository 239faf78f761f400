#pragma once

#include <QProcess>

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora::test {

// Records what the test sound server's null sink plays, through its monitor
// source, as 16-bit mono samples at RecordRate.
class SinkMonitor {
public:
    static constexpr int RecordRate = 44100;

    ~SinkMonitor();
    // Starts recording; false when the recorder cannot start or stays silent.
    bool Start();
    // All samples recorded since the last call.
    std::vector<std::int16_t> Take();

private:
    QProcess recorder_;
    QByteArray pending_;
};

// Where sound is: the first and last sample of the 10 ms windows whose RMS
// level is above `threshold`.
struct Span {
    std::size_t first = 0;
    std::size_t last = 0;
    double Seconds() const { return double(last - first) / SinkMonitor::RecordRate; }
};
std::optional<Span> SoundSpan(const std::vector<std::int16_t>& samples, double threshold = 300.0);
double Rms(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t last);

// Sound streams the test's sound server is playing (its sink inputs).
int SinkInputs();
// File descriptors this process has open.
int OpenFileDescriptors();

} // namespace velmora::test
