#include "qv/display/InputManager.h"

#include "qv/core/EventKeyboard.h"
#include "qv/core/EventMouse.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"
#include "qv/display/WindowInput.h"
#include "qv/replay/ReplayInput.h"
#include "qv/replay/ReplaySession.h"

#include <SFML/Graphics/RenderWindow.hpp>

namespace qv {

namespace {

void deliverKey(Keyboard::Key key, KeyboardAction action, bool log) {
    EventKeyboard event;
    event.setKey(key);
    event.setKeyboardAction(action);
    GameManager::getInstance().onEvent(&event);
    if (log) {
        LogManager::getInstance().writeLog("Keyboard Action %d, Key %d\n", static_cast<int>(action),
                                           static_cast<int>(key));
    }
}

// Every mouse event is logged, the held ones included.
void deliverMouse(MouseAction action, Mouse::Button button, Vector location) {
    EventMouse event;
    event.setMouseAction(action);
    event.setMouseButton(button);
    event.setMousePosition(location);
    GameManager::getInstance().onEvent(&event);
    LogManager::getInstance().writeLog("Mouse Action %d, Location %d,%d, Button %d\n",
                                       static_cast<int>(action), static_cast<int>(location.x),
                                       static_cast<int>(location.y), static_cast<int>(button));
}

Vector pixel(int x, int y) {
    return Vector(static_cast<float>(x), static_cast<float>(y));
}

} // namespace

InputManager::InputManager() {
    events.reserve(16);
    setType("InputManager");
}

InputManager& InputManager::getInstance() {
    static InputManager instance;
    return instance;
}

int InputManager::startUp() {
    DisplayManager& display = DisplayManager::getInstance();
    if (!display.isStarted()) {
        return -1;
    }
    // One key-pressed event per press; holding is reported by polling instead.
    sf::RenderWindow* window = display.getWindow();
    if (window != nullptr) {
        window->setKeyRepeatEnabled(false);
    }
    if (ReplaySession::getInstance().getMode() == ReplaySession::Mode::REPLAYING) {
        source = std::make_unique<ReplayInput>();
    } else if (window != nullptr) {
        source = std::make_unique<WindowInput>();
    } else {
        source = std::make_unique<InputSource>();
    }
    return Manager::startUp();
}

void InputManager::shutDown() {
    if (sf::RenderWindow* window = DisplayManager::getInstance().getWindow()) {
        window->setKeyRepeatEnabled(true);
    }
    source.reset();
    Manager::shutDown();
}

Keyboard::Key InputManager::toEngineKey(sf::Keyboard::Key key) {
    return WindowInput::toEngineKey(key);
}

Mouse::Button InputManager::toEngineButton(sf::Mouse::Button button) {
    return WindowInput::toEngineButton(button);
}

void InputManager::getInput() {
    // Without a started display SFML would open and drop an X connection for
    // every key polled, and aborts the program when that fails.
    if (!isStarted()) {
        return;
    }
    ReplaySession& session = ReplaySession::getInstance();
    session.beginFrame();
    events.clear();
    source->collect(events);
    // Recorded here, where input becomes engine events, a replay hands the
    // objects exactly what the recorded run handed them.
    for (const ReplayRecord& event : events) {
        session.recordInput(event);
        if (event.kind == ReplayRecord::KEY) {
            const auto action = static_cast<KeyboardAction>(event.action);
            deliverKey(static_cast<Keyboard::Key>(event.code), action,
                       action != KeyboardAction::HELD);
        } else {
            deliverMouse(static_cast<MouseAction>(event.action),
                         static_cast<Mouse::Button>(event.code), pixel(event.x, event.y));
        }
    }
}

} // namespace qv
