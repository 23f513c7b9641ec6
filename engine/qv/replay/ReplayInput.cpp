#include "qv/replay/ReplayInput.h"

#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"

#include <SFML/Window/Event.hpp>

namespace qv {

void ReplayInput::collect(std::vector<ReplayRecord>& events) {
    if (sf::RenderWindow* window = DisplayManager::getInstance().getWindow()) {
        sf::Event event;
        while (window->pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                ReplaySession::getInstance().stopReplay();
            }
        }
    }
    ReplaySession::getInstance().takeInput(events);
}

} // namespace qv
