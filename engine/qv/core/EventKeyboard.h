#ifndef QV_CORE_EVENTKEYBOARD_H
#define QV_CORE_EVENTKEYBOARD_H

#include "qv/core/Event.h"
#include "qv/display/Keyboard.h"

namespace qv {

/// A key went down, came up or is being held.
class EventKeyboard : public Event {
public:
    static constexpr const char* TYPE = "qv::keyboard";

    EventKeyboard();

    Keyboard::Key getKey() const;
    void setKey(Keyboard::Key newKey);
    KeyboardAction getKeyboardAction() const;
    void setKeyboardAction(KeyboardAction action);

private:
    Keyboard::Key key;
    KeyboardAction keyboardAction;
};

} // namespace qv

#endif
