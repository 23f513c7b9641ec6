#ifndef QV_CORE_EVENTMOUSE_H
#define QV_CORE_EVENTMOUSE_H

#include "qv/core/Event.h"
#include "qv/display/Mouse.h"
#include "qv/world/Vector.h"

namespace qv {

/// A mouse button went down or is being held, or the pointer moved.
class EventMouse : public Event {
public:
    /// The type string of this event class.
    static constexpr const char* TYPE = "qv::mouse";

    EventMouse();

    /// Whether a button was clicked or is held, or the pointer moved.
    MouseAction getMouseAction() const;
    /// Sets getMouseAction().
    void setMouseAction(MouseAction action);
    /// The button concerned.
    Mouse::Button getMouseButton() const;
    /// Sets getMouseButton().
    void setMouseButton(Mouse::Button button);
    /// In window pixels, not character cells.
    Vector getMousePosition() const;
    /// Sets getMousePosition().
    void setMousePosition(Vector position);

private:
    MouseAction mouseAction;
    Mouse::Button mouseButton;
    Vector mousePosition;
};

} // namespace qv

#endif
