#ifndef QV_RESOURCES_SOUND_H
#define QV_RESOURCES_SOUND_H

#include <SFML/Audio.hpp>

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
    sf::Sound* getSound();

private:
    sf::Sound sound;
    sf::SoundBuffer buffer;
    std::string label;
};

} // namespace qv

#endif
