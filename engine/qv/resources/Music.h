#ifndef QV_RESOURCES_MUSIC_H
#define QV_RESOURCES_MUSIC_H

#include <SFML/Audio.hpp>

#include <optional>
#include <string>

namespace qv {

/// A piece of music streamed from its file, with its label.
class Music {
public:
    Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    /// Sets the label it is found by.
    void setLabel(std::string newLabel);
    /// The label it is found by.
    std::string getLabel() const;

    /// Opens the file for streaming; false on failure.
    bool openFromFile(const std::string& filename);
    /// The streamed music, or null before the first attempt to open a file.
    /// Once made it stays at the same address for the record's life.
    sf::Music* getMusic();

private:
    // Made on the first open, like Sound's: each sf::Music holds an OpenAL source.
    std::optional<sf::Music> music;
    std::string label;
};

} // namespace qv

#endif
