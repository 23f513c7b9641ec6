#ifndef QV_RESOURCES_SOUND_H
#define QV_RESOURCES_SOUND_H

#include "qv/resources/AudioClip.h"
#include "qv/resources/AudioOutput.h"

#include <memory>
#include <string>

namespace sf {
class Sound;
} // namespace sf

namespace qv {

/// A sound effect decoded into memory, with its label.
class Sound {
public:
    Sound();
    ~Sound();

    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    /// Sets the label it is found by.
    void setLabel(std::string newLabel);
    /// The label it is found by.
    std::string getLabel() const;

    /// Decodes the file into memory for output; false on failure.
    bool loadFromFile(AudioOutput& output, const std::string& filename);

    /// Plays from the start, or goes on if already playing; nothing before
    /// the first successful load.
    void play();
    /// Stops and rewinds.
    void stop();
    /// Whether playing starts over at the end.
    void setLoop(bool loop);

    /// The SFML sound, or null before the first successful load. Once made
    /// it stays at the same address for the record's life. Desktop build
    /// only.
    sf::Sound* getSound();

private:
    // Made on the first successful load: every platform sound may hold a
    // device voice, and a full table of idle ones would exhaust the device's.
    std::unique_ptr<AudioClip> clip;
    std::string label;
};

} // namespace qv

#endif
