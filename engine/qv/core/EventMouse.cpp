#include "qv/core/EventMouse.h"

namespace qv {

EventMouse::EventMouse() : mouseAction(MouseAction::UNDEFINED), mouseButton(Mouse::UNDEFINED) {
    setType(TYPE);
}

MouseAction EventMouse::getMouseAction() const {
    return mouseAction;
}

void EventMouse::setMouseAction(MouseAction action) {
    mouseAction = action;
}

Mouse::Button EventMouse::getMouseButton() const {
    return mouseButton;
}

void EventMouse::setMouseButton(Mouse::Button button) {
    mouseButton = button;
}

Vector EventMouse::getMousePosition() const {
    return mousePosition;
}

void EventMouse::setMousePosition(Vector position) {
    mousePosition = position;
}

} // namespace qv
