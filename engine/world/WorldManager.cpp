#include "world/WorldManager.h"

#include "core/EventCollision.h"
#include "core/EventOut.h"
#include "world/Object.h"

namespace qv {

WorldManager::WorldManager() : followed(nullptr) { setType("WorldManager"); }

WorldManager& WorldManager::getInstance() {
    static WorldManager instance;
    return instance;
}

int WorldManager::startUp() {
    objects.clear();
    deletions.clear();
    followed = nullptr;
    return Manager::startUp();
}

void WorldManager::shutDown() {
    const ObjectList snapshot = objects;
    for (int i = 0; i < snapshot.getCount(); ++i) {
        delete snapshot[i];
    }
    Manager::shutDown();
}

int WorldManager::insertObject(Object* object) { return objects.append(object); }

int WorldManager::removeObject(const Object* object) {
    // A marked object may still be deleted another way (its own handler, or
    // shutDown); clearing its entry keeps update() from deleting it twice.
    for (int i = 0; i < deletions.getCount(); ++i) {
        if (deletions[i] == object) {
            deletions[i] = nullptr;
        }
    }
    if (followed == object) {
        followed = nullptr;
    }
    for (int i = 0; i < objects.getCount(); ++i) {
        if (objects[i]->getId() == object->getId()) {
            return objects.removeAt(i);
        }
    }
    return -1;
}

ObjectList WorldManager::getAllObjects() const { return objects; }

ObjectList WorldManager::objectsOfType(const std::string& type) const {
    ObjectList found;
    for (int i = 0; i < objects.getCount(); ++i) {
        if (objects[i]->getType() == type) {
            found.append(objects[i]);
        }
    }
    return found;
}

int WorldManager::markForDelete(Object* object) {
    for (int i = 0; i < deletions.getCount(); ++i) {
        if (deletions[i] != nullptr && deletions[i]->getId() == object->getId()) {
            return 0;
        }
    }
    return deletions.append(object);
}

void WorldManager::update() {
    // Destructors may mark more objects; the count is read anew each time so
    // those are deleted in this same walk.
    for (int i = 0; i < deletions.getCount(); ++i) {
        Object* doomed = deletions[i];
        if (doomed != nullptr) {
            deletions[i] = nullptr;
            delete doomed;
        }
    }
    deletions.clear();

    // Objects created by handlers during the walk are appended and moved too.
    for (int i = 0; i < objects.getCount(); ++i) {
        Object* object = objects[i];
        const Vector current = object->getPosition();
        const Vector direction = object->getDirection();
        const float speed = object->getSpeed();
        const Vector next(direction.x * speed + current.x, direction.y * speed + current.y);
        if (next != current) {
            moveObject(object, next);
        }
    }
}

ObjectList WorldManager::getCollisions(const Object* object, Vector where) const {
    const Box objectBox = object->getBox();
    const Box placed(where + objectBox.corner, objectBox.horizontal, objectBox.vertical);
    ObjectList hits;
    for (int i = 0; i < objects.getCount(); ++i) {
        const Object* other = objects[i];
        if (other->getId() == object->getId() || !other->isCollidable()) {
            continue;
        }
        if (boxesIntersect(placed, other->getWorldBox())) {
            hits.append(objects[i]);
        }
    }
    return hits;
}

int WorldManager::moveObject(Object* object, Vector where) {
    if (object->isCollidable()) {
        const ObjectList hits = getCollisions(object, where);
        bool allowed = true;
        for (int i = 0; i < hits.getCount(); ++i) {
            Object* hit = hits[i];
            const EventCollision collision(object, hit, where);
            object->eventHandler(&collision);
            hit->eventHandler(&collision);
            if (object->getSolidity() == Solidity::Solid && hit->getSolidity() == Solidity::Solid) {
                allowed = false;
            }
        }
        if (!allowed) {
            return -1;
        }
    }

    const bool wasInside = boxesIntersect(object->getWorldBox(), boundary);
    object->setPosition(where);
    if (wasInside && !boxesIntersect(object->getWorldBox(), boundary)) {
        const EventOut out;
        object->eventHandler(&out);
    }

    if (followed != nullptr && followed->getId() == object->getId()) {
        centreViewOn(object->getPosition());
    }
    return 0;
}

void WorldManager::centreViewOn(Vector position) {
    auto axis = [](float centre, float viewExtent, float boundaryExtent) {
        float start = centre - viewExtent * 0.5f;
        if (start + viewExtent > boundaryExtent) {
            start = boundaryExtent - viewExtent;
        }
        return start < 0.0f ? 0.0f : start;
    };
    view.corner = Vector(axis(position.x, view.horizontal, boundary.horizontal),
                         axis(position.y, view.vertical, boundary.vertical));
}

Box WorldManager::getBoundary() const { return boundary; }

void WorldManager::setBoundary(Box newBoundary) { boundary = newBoundary; }

Box WorldManager::getView() const { return view; }

void WorldManager::setView(Box newView) { view = newView; }

void WorldManager::setViewFollowing(Object* object) {
    followed = object;
    if (object != nullptr) {
        centreViewOn(object->getPosition());
    }
}

} // namespace qv
