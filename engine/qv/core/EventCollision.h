#ifndef QV_CORE_EVENTCOLLISION_H
#define QV_CORE_EVENTCOLLISION_H

#include "qv/core/Event.h"
#include "qv/world/Vector.h"

namespace qv {

class Object;

/// Sent to the moving object and then to the object it runs into.
class EventCollision : public Event {
public:
    /// The type string of this event class.
    static constexpr const char* TYPE = "qv::collision";

    EventCollision();
    /// object1 moving to position runs into object2.
    EventCollision(Object* object1, Object* object2, Vector position);

    /// The object that is moving (not owned).
    Object* getObject1() const;
    /// The object it runs into (not owned).
    Object* getObject2() const;
    /// Where object1 is moving to, even if the move is then refused.
    Vector getPosition() const;

private:
    Vector position;
    Object* object1;
    Object* object2;
};

} // namespace qv

#endif
