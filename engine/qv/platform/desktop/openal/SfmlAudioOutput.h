#ifndef QV_PLATFORM_DESKTOP_OPENAL_SFMLAUDIOOUTPUT_H
#define QV_PLATFORM_DESKTOP_OPENAL_SFMLAUDIOOUTPUT_H

#include "qv/resources/AudioOutput.h"

#include <SFML/Audio/SoundBuffer.hpp>

namespace qv {

/// Sounds and music through SFML, which plays them through OpenAL.
class SfmlAudioOutput : public AudioOutput {
public:
    /// Opens SFML's audio device.
    SfmlAudioOutput();

    /// A sound decoded into an SFML buffer.
    std::unique_ptr<AudioClip> makeSound() override;
    /// Music streamed by SFML.
    std::unique_ptr<AudioClip> makeMusic() override;
    /// Whether SFML's device opened.
    bool hasDevice() override;

private:
    // SFML opens its one device with its first audio object and closes it
    // with its last: holding one keeps the device from the engine's start,
    // whether or not anything loads.
    sf::SoundBuffer deviceHolder;
};

} // namespace qv

#endif
