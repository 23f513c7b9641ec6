#ifndef QV_CORE_EVENTKEYBOARD_H
#define QV_CORE_EVENTKEYBOARD_H

#include "qv/core/Event.h"
#include "qv/display/Keyboard.h"

namespace qv {

/// A key went down, came up or is being held.
class EventKeyboard : public Event {
public:
    /// The type string of this event class.
    static constexpr const char* TYPE = "qv::keyboard";

    EventKeyboard();

    /// The key concerned.
    Keyboard::Key getKey() const;
    /// Sets getKey().
    void setKey(Keyboard::Key newKey);
    /// Whether the key went down, came up or is held.
    KeyboardAction getKeyboardAction() const;
    /// Sets getKeyboardAction().
    void setKeyboardAction(KeyboardAction action);

private:
    Keyboard::Key key;
    KeyboardAction keyboardAction;
};

} // namespace qv

#endif
