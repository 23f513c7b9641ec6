#ifndef QV_PLATFORM_DESKTOP_OPENAL_SFMLMUSIC_H
#define QV_PLATFORM_DESKTOP_OPENAL_SFMLMUSIC_H

#include "qv/resources/AudioClip.h"

#include <SFML/Audio.hpp>

#include <string>

namespace qv {

/// Music streamed from its file by SFML.
class SfmlMusic : public AudioClip {
public:
    /// Opens the file for streaming; false on failure.
    bool load(const std::string& filename) override;
    /// Plays from the start, or goes on if already playing.
    void play() override;
    /// Stops and rewinds.
    void stop() override;
    /// Whether playing starts over at the end.
    void setLoop(bool loop) override;

    /// The streamed music.
    sf::Music* getMusic();

private:
    sf::Music music;
};

} // namespace qv

#endif
