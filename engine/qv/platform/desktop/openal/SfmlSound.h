#ifndef QV_PLATFORM_DESKTOP_OPENAL_SFMLSOUND_H
#define QV_PLATFORM_DESKTOP_OPENAL_SFMLSOUND_H

#include "qv/resources/AudioClip.h"

#include <SFML/Audio.hpp>

#include <optional>
#include <string>

namespace qv {

/// A sound decoded into an SFML buffer and played by an SFML sound.
class SfmlSound : public AudioClip {
public:
    SfmlSound();
    /// Detaches the sound from its buffer before the buffer goes.
    ~SfmlSound() override;

    /// Decodes the file into the buffer and attaches it; false on failure.
    bool load(const std::string& filename) override;
    /// Plays from the start, or goes on if already playing.
    void play() override;
    /// Stops and rewinds.
    void stop() override;
    /// Whether playing starts over at the end.
    void setLoop(bool loop) override;

    /// The playable sound, or null before the first successful load.
    sf::Sound* getSound();

private:
    // Made on the first successful load: every sf::Sound holds an OpenAL
    // source, and a full table of idle ones would exhaust the device's.
    std::optional<sf::Sound> sound;
    sf::SoundBuffer buffer;
};

} // namespace qv

#endif
