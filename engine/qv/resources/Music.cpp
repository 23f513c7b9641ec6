#include "qv/resources/Music.h"

#include <utility>

namespace qv {

Music::Music() = default;

void Music::setLabel(std::string newLabel) {
    label = std::move(newLabel);
}

std::string Music::getLabel() const {
    return label;
}

bool Music::openFromFile(const std::string& filename) {
    if (!music) {
        music.emplace();
    }
    return music->openFromFile(filename);
}

sf::Music* Music::getMusic() {
    return music ? &*music : nullptr;
}

} // namespace qv
