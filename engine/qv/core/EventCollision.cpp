#include "qv/core/EventCollision.h"

namespace qv {

EventCollision::EventCollision() : EventCollision(nullptr, nullptr, Vector()) {}

EventCollision::EventCollision(Object* object1, Object* object2, Vector position)
    : position(position), object1(object1), object2(object2) {
    setType(TYPE);
}

Object* EventCollision::getObject1() const {
    return object1;
}

Object* EventCollision::getObject2() const {
    return object2;
}

Vector EventCollision::getPosition() const {
    return position;
}

} // namespace qv
