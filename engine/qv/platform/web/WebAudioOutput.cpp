#include "qv/platform/web/WebAudioOutput.h"

#include "qv/platform/web/WebAudioClip.h"

#include <emscripten.h>

EM_JS(int, qv_page_has_audio, (), { return qvPage.hasAudio() ? 1 : 0; });

namespace qv {

std::unique_ptr<AudioOutput> makeDefaultAudioOutput() {
    return std::make_unique<WebAudioOutput>();
}

std::unique_ptr<AudioClip> WebAudioOutput::makeSound() {
    return std::make_unique<WebAudioClip>();
}

std::unique_ptr<AudioClip> WebAudioOutput::makeMusic() {
    return std::make_unique<WebAudioClip>();
}

bool WebAudioOutput::hasDevice() {
    return qv_page_has_audio() != 0;
}

} // namespace qv
