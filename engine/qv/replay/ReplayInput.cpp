#include "qv/replay/ReplayInput.h"

#include "qv/display/DisplayManager.h"
#include "qv/replay/ReplaySession.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

namespace qv {

void ReplayInput::collect(std::vector<InputEvent>& events) {
    if (sf::RenderWindow* window = DisplayManager::getInstance().getWindow()) {
        sf::Event event;
        while (window->pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                window->close();
            }
        }
    }
    records.clear();
    ReplaySession::getInstance().takeInput(records);
    for (const ReplayRecord& record : records) {
        events.push_back(record.toInput());
    }
}

} // namespace qv
