#include "world/Object.h"

#include "world/WorldManager.h"

namespace qv {

int Object::nextId = 0;

Object::Object()
    : id(nextId), type("Object"), altitude(2), speed(0.0f), solidity(Solidity::Solid),
      sprite(nullptr), frameIndex(0), frameCountdown(0), box(Vector(), 1.0f, 1.0f) {
    WorldManager::getInstance().insertObject(this);
    ++nextId;
}

Object::~Object() { WorldManager::getInstance().removeObject(this); }

int Object::eventHandler(const Event*) { return 0; }

int Object::draw() {
    if (sprite == nullptr) {
        return -1;
    }
    return 0;
}

int Object::getId() const { return id; }

std::string Object::getType() const { return type; }

void Object::setType(std::string newType) { type = std::move(newType); }

Vector Object::getPosition() const { return position; }

void Object::setPosition(Vector newPosition) { position = newPosition; }

int Object::getAltitude() const { return altitude; }

void Object::setAltitude(int newAltitude) { altitude = newAltitude; }

float Object::getSpeed() const { return speed; }

void Object::setSpeed(float newSpeed) { speed = newSpeed; }

Vector Object::getDirection() const { return direction; }

void Object::setVelocity(Vector velocity) {
    speed = velocity.getLength();
    direction = speed > 0.0f ? Vector(velocity.x / speed, velocity.y / speed) : velocity;
}

Vector Object::getVelocity() const { return direction * speed; }

Solidity Object::getSolidity() const { return solidity; }

void Object::setSolidity(Solidity newSolidity) { solidity = newSolidity; }

bool Object::isCollidable() const { return solidity != Solidity::Intangible; }

Sprite* Object::getSprite() const { return sprite; }

Box Object::getBox() const { return box; }

Box Object::getWorldBox() const { return Box(box.corner + position, box.horizontal, box.vertical); }

} // namespace qv
