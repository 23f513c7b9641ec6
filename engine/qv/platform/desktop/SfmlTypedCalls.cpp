// The engine's SFML-typed window calls, kept for code written against them;
// only the desktop build has them.
#include "qv/display/DisplayManager.h"
#include "qv/platform/desktop/WindowScreen.h"

namespace qv {

sf::RenderWindow* DisplayManager::getWindow() const {
    const auto* windowScreen = dynamic_cast<const WindowScreen*>(screen.get());
    return windowScreen != nullptr ? windowScreen->getWindow() : nullptr;
}

sf::Color DisplayManager::toSfColor(Color color) {
    return WindowScreen::toSfColor(color);
}

} // namespace qv
