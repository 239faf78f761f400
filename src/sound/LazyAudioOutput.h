#pragma once

#include "sound/AudioOutput.h"

#include <QString>

#include <memory>

namespace velmora {

// The audio output of the program: Qt Multimedia lives in a module of its own
// (libvelmora-audio.so beside the program), loaded when the first sound
// opens. The program thus starts without loading Qt Multimedia and its sound
// server libraries. Without the module every open fails, as with no device.
class LazyAudioOutput final : public AudioOutput {
public:
    explicit LazyAudioOutput(QString moduleDirectory);
    ~LazyAudioOutput() override;

    std::int32_t Open(int device, const WaveFormatEx& format, DoneHandler onDone) override;
    std::int32_t Write(const QByteArray& samples, qsizetype offset, qsizetype length) override;
    void Reset() override;

    static constexpr const char* ModuleFileName = "libvelmora-audio.so";
    static constexpr const char* FactoryName = "velmora_create_audio_output";

private:
    bool Load();

    QString moduleDirectory_;
    std::unique_ptr<AudioOutput> output_;
    bool loadTried_ = false;
};

} // namespace velmora
