// The engine's SFML-typed audio calls, kept for code written against them;
// only builds that play through SFML's audio have them.
#include "qv/platform/desktop/openal/SfmlMusic.h"
#include "qv/platform/desktop/openal/SfmlSound.h"
#include "qv/resources/ResourceManager.h"

namespace qv {

sf::Sound* Sound::getSound() {
    auto* sfmlSound = dynamic_cast<SfmlSound*>(clip.get());
    return sfmlSound != nullptr ? sfmlSound->getSound() : nullptr;
}

sf::Music* Music::getMusic() {
    auto* sfmlMusic = dynamic_cast<SfmlMusic*>(clip.get());
    return sfmlMusic != nullptr ? sfmlMusic->getMusic() : nullptr;
}

sf::Sound* ResourceManager::getSound(std::string label) {
    Sound* sound = findSound(label);
    return sound != nullptr ? sound->getSound() : nullptr;
}

sf::Music* ResourceManager::getMusic(std::string label) {
    Music* found = findMusic(label);
    return found != nullptr ? found->getMusic() : nullptr;
}

} // namespace qv
