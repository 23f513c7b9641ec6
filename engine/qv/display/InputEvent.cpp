#include "qv/display/InputEvent.h"

namespace qv {

InputEvent InputEvent::key(KeyboardAction action, Keyboard::Key key) {
    InputEvent event;
    event.kind = Kind::KEY;
    event.action = static_cast<int>(action);
    event.code = key;
    return event;
}

InputEvent InputEvent::mouse(MouseAction action, Mouse::Button button, int x, int y) {
    InputEvent event;
    event.kind = Kind::MOUSE;
    event.action = static_cast<int>(action);
    event.code = button;
    event.x = x;
    event.y = y;
    return event;
}

} // namespace qv
