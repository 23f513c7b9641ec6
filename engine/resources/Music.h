#ifndef QV_RESOURCES_MUSIC_H
#define QV_RESOURCES_MUSIC_H

#include <SFML/Audio.hpp>

#include <string>

namespace qv {

/// A piece of music streamed from its file, with its label.
class Music {
public:
    Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    void setLabel(std::string newLabel);
    std::string getLabel() const;

    /// Opens the file for streaming; false on failure.
    bool openFromFile(const std::string& filename);
    sf::Music* getMusic();

private:
    sf::Music music;
    std::string label;
};

} // namespace qv

#endif
