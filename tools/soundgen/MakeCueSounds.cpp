// Writes the program's cue sounds, ChangePlayer.wav, GameOver.wav and
// LowTime.wav, as 16-bit mono PCM into the directory given on the command line.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double FadeSeconds = 0.005; // long enough that no edge clicks

using Samples = std::vector<double>; // -1 .. 1

std::size_t SamplesFor(double seconds) {
    return static_cast<std::size_t>(seconds * SampleRate);
}

// Raised-cosine fade in at the start and fade out at the end.
void Fade(Samples& samples, std::size_t begin, std::size_t end) {
    const std::size_t fade = std::min(SamplesFor(FadeSeconds), (end - begin) / 2);
    for (std::size_t i = 0; i < fade; ++i) {
        const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / fade);
        samples[begin + i] *= gain;
        samples[end - 1 - i] *= gain;
    }
}

// A sine tone with a softer octave above it, from `start` for `seconds`.
void AddTone(Samples& samples, double start, double seconds, double frequency, double level,
             double decaySeconds = 0.0) {
    const std::size_t begin = SamplesFor(start);
    const std::size_t end = std::min(samples.size(), begin + SamplesFor(seconds));
    for (std::size_t i = begin; i < end; ++i) {
        const double t = static_cast<double>(i - begin) / SampleRate;
        const double phase = 2.0 * std::numbers::pi * frequency * t;
        const double decay = decaySeconds > 0.0 ? std::exp(-t / decaySeconds) : 1.0;
        samples[i] += level * decay * (0.8 * std::sin(phase) + 0.2 * std::sin(2.0 * phase));
    }
    Fade(samples, begin, end);
}

// A bright chime of 0.15 s that dies away quickly.
Samples ChangePlayer() {
    Samples samples(SamplesFor(0.15));
    AddTone(samples, 0.0, 0.15, 1568.0, 0.6, 0.035);
    return samples;
}

// An alarm of 1.6 s: eight beeps alternating between two pitches.
Samples GameOver() {
    Samples samples(SamplesFor(1.6));
    for (int beep = 0; beep < 8; ++beep)
        AddTone(samples, beep * 0.2, 0.18, beep % 2 == 0 ? 880.0 : 1175.0, 0.5);
    return samples;
}

// A short double beep of 0.3 s, lower than the chime and unlike the alarm.
Samples LowTime() {
    Samples samples(SamplesFor(0.3));
    AddTone(samples, 0.0, 0.1, 660.0, 0.5);
    AddTone(samples, 0.18, 0.1, 660.0, 0.5);
    return samples;
}

void PutLittleEndian(std::string& to, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        to.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A RIFF WAVE file: a 16-byte "fmt " chunk for 16-bit mono PCM, then "data".
std::string WaveFile(const Samples& samples) {
    std::string data;
    for (double sample : samples) {
        const double clipped = std::clamp(sample, -1.0, 1.0);
        PutLittleEndian(data, static_cast<std::uint16_t>(std::lround(clipped * 32767.0)), 2);
    }
    std::string file = "RIFF";
    PutLittleEndian(file, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + data.size()), 4);
    file += "WAVEfmt ";
    PutLittleEndian(file, 16, 4);
    PutLittleEndian(file, 1, 2); // PCM
    PutLittleEndian(file, 1, 2); // mono
    PutLittleEndian(file, SampleRate, 4);
    PutLittleEndian(file, SampleRate * 2, 4); // bytes per second
    PutLittleEndian(file, 2, 2);              // bytes per frame
    PutLittleEndian(file, 16, 2);             // bits per sample
    file += "data";
    PutLittleEndian(file, static_cast<std::uint32_t>(data.size()), 4);
    return file + data;
}

bool Write(const std::string& path, const Samples& samples) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << WaveFile(samples);
    out.close();
    if (!out)
        std::cerr << "Cannot write " << path << '\n';
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Usage: " << argv[0] << " <output directory>\n";
        return 2;
    }
    const std::string directory = argv[1];
    const bool written = Write(directory + "/ChangePlayer.wav", ChangePlayer()) &&
                         Write(directory + "/GameOver.wav", GameOver()) &&
                         Write(directory + "/LowTime.wav", LowTime());
    return written ? 0 : 1;
}
