#include "qv/display/InputManager.h"

#include "qv/core/EventKeyboard.h"
#include "qv/core/EventMouse.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/display/DisplayManager.h"

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
    screenInput = display.makeScreenInput();
    // One key-pressed event per press: holding is told by polling instead.
    display.setKeyRepeat(false);
    return Manager::startUp();
}

void InputManager::shutDown() {
    DisplayManager::getInstance().setKeyRepeat(true);
    screenInput.reset();
    Manager::shutDown();
}

void InputManager::setSource(std::unique_ptr<InputSource> chosen) {
    source = std::move(chosen);
}

void InputManager::setObserver(InputObserver* listener) {
    observer = listener;
}

void InputManager::pollScreen(std::vector<InputEvent>& screenEvents) {
    if (screenInput != nullptr) {
        screenInput->collect(screenEvents);
    }
}

void InputManager::frameShown() {
    if (isStarted() && screenInput != nullptr && source == nullptr) {
        screenInput->frameShown();
    }
}

void InputManager::getInput() {
    // Without a started display SFML would open and drop an X connection for
    // every key polled, and aborts the program when that fails.
    if (!isStarted()) {
        return;
    }
    if (observer != nullptr) {
        observer->beginFrame();
    }
    events.clear();
    // A chosen source replaces the screen's events; reading the screen here
    // too would cost a replay that runs frames unseen a look at the keyboard
    // each.
    if (source != nullptr) {
        source->collect(events);
    } else if (screenInput != nullptr) {
        screenInput->collect(events);
    }
    // Observed here, where input becomes engine events, a recording holds
    // exactly what the objects were handed.
    for (InputEvent& event : events) {
        if (event.kind == InputEvent::Kind::KEY && event.code > Keyboard::NUM0) {
            event.code = Keyboard::UNDEFINED;
        }
        if (observer != nullptr) {
            observer->heard(event);
        }
        if (event.kind == InputEvent::Kind::KEY) {
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
