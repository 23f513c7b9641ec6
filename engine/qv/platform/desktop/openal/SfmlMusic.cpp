#include "qv/platform/desktop/openal/SfmlMusic.h"

namespace qv {

bool SfmlMusic::load(const std::string& filename) {
    return music.openFromFile(filename);
}

void SfmlMusic::play() {
    music.play();
}

void SfmlMusic::stop() {
    music.stop();
}

void SfmlMusic::setLoop(bool loop) {
    music.setLoop(loop);
}

sf::Music* SfmlMusic::getMusic() {
    return &music;
}

} // namespace qv
