#include "sound/LazyAudioOutput.h"

#include "sound/SoundResult.h"

#include <QDir>
#include <QLibrary>

namespace velmora {

LazyAudioOutput::LazyAudioOutput(QString moduleDirectory)
    : moduleDirectory_(std::move(moduleDirectory)) {}

LazyAudioOutput::~LazyAudioOutput() = default;

bool LazyAudioOutput::Load() {
    if (loadTried_)
        return output_ != nullptr;
    loadTried_ = true;
    if (moduleDirectory_.isEmpty())
        return false;
    // Never unloaded: the module's code runs until the program ends.
    QLibrary module(QDir(moduleDirectory_).filePath(QString::fromLatin1(ModuleFileName)));
    using Factory = AudioOutput* (*)();
    const auto create = reinterpret_cast<Factory>(module.resolve(FactoryName));
    if (create)
        output_.reset(create());
    return output_ != nullptr;
}

std::int32_t LazyAudioOutput::Open(int device, const WaveFormatEx& format, DoneHandler onDone) {
    if (!Load())
        return NoDevice;
    return output_->Open(device, format, std::move(onDone));
}

std::int32_t LazyAudioOutput::Write(const QByteArray& samples, qsizetype offset, qsizetype length) {
    return output_ ? output_->Write(samples, offset, length) : NoDevice;
}

void LazyAudioOutput::Reset() {
    if (output_)
        output_->Reset();
}

} // namespace velmora
