#include "sound/module/QtAudioOutput.h"

#include "sound/SoundResult.h"
#include "sound/module/OutputFormat.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>

namespace velmora {

namespace {

// Time the sound server gets beyond the sink's buffer to play out its end.
constexpr int DrainMarginMs = 50;

QAudioDevice FindDevice(int device) {
    if (device == -1)
        return QMediaDevices::defaultAudioOutput();
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    return device >= 0 && device < outputs.size() ? outputs[device] : QAudioDevice();
}

} // namespace

struct QtAudioOutput::Playback {
    std::uint64_t serial = 0;
    OutputFormat format;
    DoneHandler onDone;
    QByteArray samples; // keeps the written bytes alive while they play
    QByteArray bytes;   // the stretch being played, in the output's format
    QBuffer source;
    std::unique_ptr<QAudioSink> sink; // last, so it goes before the bytes it reads
};

QtAudioOutput::QtAudioOutput() = default;

QtAudioOutput::~QtAudioOutput() {
    Release(false);
}

std::int32_t QtAudioOutput::Open(int device, const WaveFormatEx& format, DoneHandler onDone) {
    Release(true);
    const std::optional<OutputFormat> outputFormat = OutputFormatFor(format);
    if (!outputFormat)
        return BadFormat;
    // Without a sound server Qt offers no device, and a sink would fail silently.
    const QAudioDevice audioDevice = FindDevice(device);
    if (audioDevice.isNull())
        return NoDevice;
    if (!audioDevice.isFormatSupported(outputFormat->format))
        return BadFormat;

    playback_ = std::make_unique<Playback>();
    playback_->serial = ++serial_;
    playback_->format = *outputFormat;
    playback_->onDone = std::move(onDone);
    playback_->sink = std::make_unique<QAudioSink>(audioDevice, outputFormat->format);
    QObject::connect(
        playback_->sink.get(), &QAudioSink::stateChanged, &context_,
        [this, serial = serial_](QAudio::State state) { OnStateChanged(serial, state); });
    return Success;
}

std::int32_t QtAudioOutput::Write(const QByteArray& samples, qsizetype offset, qsizetype length) {
    if (!playback_ || playback_->source.isOpen())
        return Failed;
    if (offset < 0 || length < 0 || offset + length > samples.size())
        return Failed;

    Playback& playback = *playback_;
    const char* from = samples.constData() + offset;
    playback.samples = samples;
    playback.bytes = playback.format.widen24To32 ? Widen24To32(QByteArrayView(from, length))
                                                 : QByteArray::fromRawData(from, length);
    playback.source.setBuffer(&playback.bytes);
    playback.source.open(QIODevice::ReadOnly);
    playback.sink->start(&playback.source);
    if (playback.sink->error() != QAudio::NoError ||
        playback.sink->state() == QAudio::StoppedState) {
        Release(false);
        return Failed;
    }
    return Success;
}

void QtAudioOutput::Reset() {
    Release(true);
}

void QtAudioOutput::OnStateChanged(std::uint64_t serial, QAudio::State state) {
    if (!playback_ || playback_->serial != serial)
        return;
    if (state == QAudio::IdleState) {
        // All bytes are with the sound server now, but stopping the sink would
        // drop what the server still buffers: release it once that has played.
        QAudioSink& sink = *playback_->sink;
        const qint64 bufferedUs = sink.format().durationForBytes(sink.bufferSize());
        ReleaseLater(serial, static_cast<int>(bufferedUs / 1000) + DrainMarginMs);
    } else if (state == QAudio::StoppedState && playback_->sink->error() != QAudio::NoError) {
        ReleaseLater(serial, 0); // not from inside the sink's own signal
    }
}

void QtAudioOutput::ReleaseLater(std::uint64_t serial, int delayMs) {
    QTimer::singleShot(delayMs, &context_, [this, serial] {
        // A sink that went active again after an idle spell is still playing.
        if (playback_ && playback_->serial == serial &&
            playback_->sink->state() != QAudio::ActiveState)
            Release(true);
    });
}

void QtAudioOutput::Release(bool reportDone) {
    std::unique_ptr<Playback> released = std::move(playback_);
    if (!released)
        return;
    QObject::disconnect(released->sink.get(), nullptr, &context_, nullptr);
    released->sink->stop();
    DoneHandler onDone = std::move(released->onDone);
    released.reset();
    if (reportDone && onDone)
        onDone();
}

} // namespace velmora
