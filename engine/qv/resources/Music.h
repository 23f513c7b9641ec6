#ifndef QV_RESOURCES_MUSIC_H
#define QV_RESOURCES_MUSIC_H

#include "qv/resources/AudioClip.h"
#include "qv/resources/AudioOutput.h"

#include <memory>
#include <string>

namespace sf {
class Music;
} // namespace sf

namespace qv {

/// A piece of music streamed from its file, with its label.
class Music {
public:
    Music();
    ~Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    /// Sets the label it is found by.
    void setLabel(std::string newLabel);
    /// The label it is found by.
    std::string getLabel() const;

    /// Opens the file for streaming to output; false on failure.
    bool openFromFile(AudioOutput& output, const std::string& filename);

    /// Plays from the start, or goes on if already playing; nothing before
    /// the first attempt to open a file.
    void play();
    /// Stops and rewinds.
    void stop();
    /// Whether playing starts over at the end.
    void setLoop(bool loop);

    /// The SFML music, or null before the first attempt to open a file. Once
    /// made it stays at the same address for the record's life. Desktop
    /// build only.
    sf::Music* getMusic();

private:
    // Made on the first open, like Sound's: each may hold a device voice.
    std::unique_ptr<AudioClip> clip;
    std::string label;
};

} // namespace qv

#endif
