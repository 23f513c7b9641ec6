#include "qv/resources/Sound.h"

#include <utility>

namespace qv {

Sound::Sound() = default;

Sound::~Sound() {
    // Members die in reverse order, buffer before sound: detach first so the
    // sound never plays from freed samples.
    if (sound) {
        sound->resetBuffer();
    }
}

void Sound::setLabel(std::string newLabel) {
    label = std::move(newLabel);
}

std::string Sound::getLabel() const {
    return label;
}

bool Sound::loadFromFile(const std::string& filename) {
    if (!buffer.loadFromFile(filename)) {
        return false;
    }
    if (!sound) {
        sound.emplace();
    }
    sound->setBuffer(buffer);
    return true;
}

sf::Sound* Sound::getSound() {
    return sound ? &*sound : nullptr;
}

} // namespace qv
