#include "qv/core/EventKeyboard.h"

namespace qv {

EventKeyboard::EventKeyboard()
    : key(Keyboard::UNDEFINED), keyboardAction(KeyboardAction::UNDEFINED) {
    setType(TYPE);
}

Keyboard::Key EventKeyboard::getKey() const {
    return key;
}

void EventKeyboard::setKey(Keyboard::Key newKey) {
    key = newKey;
}

KeyboardAction EventKeyboard::getKeyboardAction() const {
    return keyboardAction;
}

void EventKeyboard::setKeyboardAction(KeyboardAction action) {
    keyboardAction = action;
}

} // namespace qv
