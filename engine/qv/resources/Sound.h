#ifndef QV_RESOURCES_SOUND_H
#define QV_RESOURCES_SOUND_H

#include "qv/resources/AudioOutput.h"
#include "qv/resources/AudioResource.h"

#include <string>

namespace sf {
class Sound;
} // namespace sf

namespace qv {

/// A sound effect decoded into memory, with its label.
class Sound : public AudioResource {
public:
    /// Decodes the file into memory for output; false on failure.
    bool loadFromFile(AudioOutput& output, const std::string& filename);

    /// The SFML sound, or null before the first successful load. Once made
    /// it stays at the same address for the record's life. Desktop build
    /// only.
    sf::Sound* getSound();
};

} // namespace qv

#endif
