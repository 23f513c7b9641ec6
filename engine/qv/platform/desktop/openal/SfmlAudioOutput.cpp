#include "qv/platform/desktop/openal/SfmlAudioOutput.h"

#include "qv/platform/desktop/DesktopPlatform.h"
#include "qv/platform/desktop/openal/SfmlMusic.h"
#include "qv/platform/desktop/openal/SfmlSound.h"

#include <AL/alc.h>

namespace qv {

std::unique_ptr<AudioOutput> makeDefaultAudioOutput() {
    // Before SFML's device opens: the system's audio libraries then keep
    // their complaints about a missing sound card to themselves.
    platform::quietAudioLibraries();
    return std::make_unique<SfmlAudioOutput>();
}

SfmlAudioOutput::SfmlAudioOutput() = default;

std::unique_ptr<AudioClip> SfmlAudioOutput::makeSound() {
    return std::make_unique<SfmlSound>();
}

std::unique_ptr<AudioClip> SfmlAudioOutput::makeMusic() {
    return std::make_unique<SfmlMusic>();
}

bool SfmlAudioOutput::hasDevice() {
    // SFML makes its device's context current for the whole process. A
    // second device of our own could fail where SFML's works, or fight it
    // for the same output.
    ALCcontext* context = alcGetCurrentContext();
    return context != nullptr && alcGetContextsDevice(context) != nullptr;
}

} // namespace qv
