// The engine's SFML-typed calls, kept for code written against them; only
// the desktop build has them.
#include "qv/display/DisplayManager.h"
#include "qv/platform/desktop/openal/SfmlMusic.h"
#include "qv/platform/desktop/openal/SfmlSound.h"
#include "qv/platform/desktop/WindowScreen.h"
#include "qv/resources/ResourceManager.h"

namespace qv {

sf::RenderWindow* DisplayManager::getWindow() const {
    const auto* windowScreen = dynamic_cast<const WindowScreen*>(screen.get());
    return windowScreen != nullptr ? windowScreen->getWindow() : nullptr;
}

sf::Color DisplayManager::toSfColor(Color color) {
    return WindowScreen::toSfColor(color);
}

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
