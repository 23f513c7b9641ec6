#ifndef QV_RESOURCES_SOUND_H
#define QV_RESOURCES_SOUND_H

#include <SFML/Audio.hpp>

#include <optional>
#include <string>

namespace qv {

/// A sound effect decoded into memory, with its label.
class Sound {
public:
    Sound();
    /// Detaches the sound from its buffer before the buffer goes.
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    void setLabel(std::string newLabel);
    std::string getLabel() const;

    /// Decodes the file into the buffer and attaches it; false on failure.
    bool loadFromFile(const std::string& filename);
    /// The playable sound, or null before the first successful load. Once
    /// made it stays at the same address for the record's life.
    sf::Sound* getSound();

private:
    // Made on the first successful load: every sf::Sound holds an OpenAL
    // source, and a full table of idle ones would exhaust the device's.
    std::optional<sf::Sound> sound;
    sf::SoundBuffer buffer;
    std::string label;
};

} // namespace qv

#endif
