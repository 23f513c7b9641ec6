#ifndef QV_CORE_EVENTMOUSE_H
#define QV_CORE_EVENTMOUSE_H

#include "qv/core/Event.h"
#include "qv/display/Mouse.h"
#include "qv/world/Vector.h"

namespace qv {

/// A mouse button went down or is being held, or the pointer moved.
class EventMouse : public Event {
public:
    static constexpr const char* TYPE = "qv::mouse";

    EventMouse();

    MouseAction getMouseAction() const;
    void setMouseAction(MouseAction action);
    Mouse::Button getMouseButton() const;
    void setMouseButton(Mouse::Button button);
    /// In window pixels, not character cells.
    Vector getMousePosition() const;
    void setMousePosition(Vector position);

private:
    MouseAction mouseAction;
    Mouse::Button mouseButton;
    Vector mousePosition;
};

} // namespace qv

#endif
