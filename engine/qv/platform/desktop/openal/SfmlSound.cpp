#include "qv/platform/desktop/openal/SfmlSound.h"

namespace qv {

SfmlSound::SfmlSound() = default;

SfmlSound::~SfmlSound() {
    // Members die in reverse order, buffer before sound: detach first so the
    // sound never plays from freed samples.
    if (sound) {
        sound->resetBuffer();
    }
}

bool SfmlSound::load(const std::string& filename) {
    if (!buffer.loadFromFile(filename)) {
        return false;
    }
    if (!sound) {
        sound.emplace();
    }
    sound->setBuffer(buffer);
    return true;
}

void SfmlSound::play() {
    if (sound) {
        sound->play();
    }
}

void SfmlSound::stop() {
    if (sound) {
        sound->stop();
    }
}

void SfmlSound::setLoop(bool loop) {
    if (sound) {
        sound->setLoop(loop);
    }
}

sf::Sound* SfmlSound::getSound() {
    return sound ? &*sound : nullptr;
}

} // namespace qv
