// Entry point of libvelmora-audio.so, the module that holds the Qt Multimedia
// output; LazyAudioOutput loads it at the first sound.
#include "sound/module/QtAudioOutput.h"

extern "C" Q_DECL_EXPORT velmora::AudioOutput* velmora_create_audio_output() {
    return new velmora::QtAudioOutput();
}
