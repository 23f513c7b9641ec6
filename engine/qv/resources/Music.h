#ifndef QV_RESOURCES_MUSIC_H
#define QV_RESOURCES_MUSIC_H

#include "qv/resources/AudioOutput.h"
#include "qv/resources/AudioResource.h"

#include <string>

namespace sf {
class Music;
} // namespace sf

namespace qv {

/// A piece of music streamed from its file, with its label.
class Music : public AudioResource {
public:
    /// Opens the file for streaming to output; false on failure.
    bool openFromFile(AudioOutput& output, const std::string& filename);

    /// The SFML music, or null before the first attempt to open a file. Once
    /// made it stays at the same address for the record's life. Desktop
    /// build only.
    sf::Music* getMusic();
};

} // namespace qv

#endif
