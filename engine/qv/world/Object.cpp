#include "qv/world/Object.h"

#include "qv/core/LogManager.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sprite.h"
#include "qv/world/GridPlacement.h"
#include "qv/world/WorldManager.h"

#include <utility>

namespace qv {

int Object::nextId = 0;

Object::Object()
    : id(nextId), type("Object"), altitude(2), speed(0.0f), solidity(Solidity::Solid),
      sprite(nullptr), frameIndex(0), frameCountdown(0), box(Vector(), 1.0f, 1.0f), listIndex(-1),
      gridPlacement(new GridPlacement) {
    WorldManager& world = WorldManager::getInstance();
    if (!world.isStarted()) {
        LogManager::getInstance().writeWarning(
            "Object made before GameManager::startUp(): not added to the world");
    }
    world.insertObject(this);
    ++nextId;
}

Object::~Object() {
    WorldManager::getInstance().removeObject(this);
}

int Object::eventHandler(const Event*) {
    return 0;
}

int Object::draw() {
    if (sprite == nullptr) {
        return -1;
    }
    sprite->drawFrame(frameIndex, position);
    if (frameCountdown == -1) {
        return 0;
    }
    int countdown = frameCountdown + 1;
    if (countdown >= sprite->getSlowdown()) {
        countdown = 0;
        ++frameIndex;
        // >= rather than ==: after a switch to a sprite with fewer frames the
        // index may already lie past the end, and must still come back to 0.
        if (frameIndex >= sprite->getFrameCount()) {
            frameIndex = 0;
        }
    }
    frameCountdown = countdown;
    return 0;
}

int Object::getId() const {
    return id;
}

const std::string& Object::getType() const {
    return type;
}

void Object::setType(std::string newType) {
    type = std::move(newType);
}

Vector Object::getPosition() const {
    return position;
}

void Object::setPosition(Vector newPosition) {
    position = newPosition;
    noteMoved();
}

void Object::noteMoved() {
    if (listIndex >= 0) {
        WorldManager::getInstance().noteMoved(this);
    }
}

int Object::getAltitude() const {
    return altitude;
}

void Object::setAltitude(int newAltitude) {
    altitude = newAltitude;
}

float Object::getSpeed() const {
    return speed;
}

void Object::setSpeed(float newSpeed) {
    speed = newSpeed;
}

Vector Object::getDirection() const {
    return direction;
}

void Object::setVelocity(Vector velocity) {
    speed = velocity.getLength();
    direction = speed > 0.0f ? Vector(velocity.x / speed, velocity.y / speed) : velocity;
}

Vector Object::getVelocity() const {
    return direction * speed;
}

Solidity Object::getSolidity() const {
    return solidity;
}

void Object::setSolidity(Solidity newSolidity) {
    solidity = newSolidity;
    noteMoved();
}

bool Object::isCollidable() const {
    return solidity != Solidity::Intangible;
}

int Object::setSprite(std::string label) {
    Sprite* found = ResourceManager::getInstance().getSprite(label);
    if (found == nullptr) {
        LogManager::getInstance().writeWarning("setSprite: no sprite labelled '%s'", label.c_str());
        return -1;
    }
    sprite = found;
    spriteLabel = std::move(label);
    const float width = static_cast<float>(found->getWidth());
    const float height = static_cast<float>(found->getHeight());
    box = Box(Vector(-width * 0.5f, -height * 0.5f), width, height);
    noteMoved();
    return 0;
}

Sprite* Object::getSprite() const {
    return sprite;
}

int Object::getFrameIndex() const {
    return frameIndex;
}

void Object::setFrameIndex(int newFrameIndex) {
    frameIndex = newFrameIndex;
}

int Object::getFrameCountdown() const {
    return frameCountdown;
}

void Object::setFrameCountdown(int newFrameCountdown) {
    frameCountdown = newFrameCountdown;
}

Box Object::getBox() const {
    return box;
}

Box Object::getWorldBox() const {
    return Box(box.corner + position, box.horizontal, box.vertical);
}

} // namespace qv
