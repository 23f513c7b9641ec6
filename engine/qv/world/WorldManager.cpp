#include "qv/world/WorldManager.h"

#include "qv/core/EventCollision.h"
#include "qv/core/EventOut.h"
#include "qv/world/CollisionGrid.h"
#include "qv/world/GridPlacement.h"
#include "qv/world/Object.h"

#include <algorithm>

namespace qv {

WorldManager::WorldManager() : followed(nullptr), grid(new CollisionGrid), collisionScan(nullptr) {
    setType("WorldManager");
}

WorldManager::~WorldManager() = default;

WorldManager& WorldManager::getInstance() {
    static WorldManager instance;
    return instance;
}

int WorldManager::startUp() {
    // Objects still listed drop out of the world without being deleted.
    for (int i = 0; i < objects.getCount(); ++i) {
        objects[i]->listIndex = -1;
        *objects[i]->gridPlacement = GridPlacement();
    }
    grid->clear();
    objects.clear();
    deletions.clear();
    followed = nullptr;
    // Ids count per game, so two runs of the same input digest alike even
    // within one process.
    Object::nextId = 0;
    return Manager::startUp();
}

void WorldManager::shutDown() {
    // A destructor may make objects (a game's last screen making its first
    // one): those go too, a few rounds deep.
    for (int round = 0; round < 4 && objects.getCount() > 0; ++round) {
        const ObjectList snapshot = objects;
        for (int i = 0; i < snapshot.getCount(); ++i) {
            delete snapshot[i];
        }
    }
    Manager::shutDown();
}

int WorldManager::insertObject(Object* object) {
    if (objects.append(object) != 0) {
        return -1;
    }
    object->listIndex = objects.getCount() - 1;
    grid->place(object);
    return 0;
}

void WorldManager::noteMoved(Object* object) {
    grid->place(object);
}

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
    int index = object->listIndex;
    if (index < 0 || index >= objects.getCount() || objects[index] != object) {
        index = -1;
        for (int i = 0; i < objects.getCount() && index < 0; ++i) {
            if (objects[i]->getId() == object->getId()) {
                index = i;
            }
        }
    }
    if (index < 0) {
        return -1;
    }
    Object* listed = objects[index];
    grid->remove(listed);
    listed->listIndex = -1;
    objects.removeAt(index);
    if (index < objects.getCount()) {
        objects[index]->listIndex = index;
    }
    return 0;
}

ObjectList WorldManager::getAllObjects() const {
    return objects;
}

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
    if (collisionScan != nullptr) {
        return collisionScan(object, where);
    }
    const Box objectBox = object->getBox();
    const Box placed(where + objectBox.corner, objectBox.horizontal, objectBox.vertical);
    nearby.clear();
    grid->collectNear(placed, nearby);
    const auto missed = [&](const Object* other) {
        return other->getId() == object->getId() || !other->isCollidable() ||
               !boxesIntersect(placed, other->getWorldBox());
    };
    nearby.erase(std::remove_if(nearby.begin(), nearby.end(), missed), nearby.end());
    std::sort(nearby.begin(), nearby.end(),
              [](const Object* a, const Object* b) { return a->listIndex < b->listIndex; });
    ObjectList hits;
    for (Object* hit : nearby) {
        hits.append(hit);
    }
    return hits;
}

void WorldManager::setCollisionScan(CollisionScan scan) {
    collisionScan = scan;
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

Box WorldManager::getBoundary() const {
    return boundary;
}

void WorldManager::setBoundary(Box newBoundary) {
    boundary = newBoundary;
}

void WorldManager::setView(Box newView) {
    view = newView;
}

void WorldManager::setViewFollowing(Object* object) {
    followed = object;
    if (object != nullptr) {
        centreViewOn(object->getPosition());
    }
}

} // namespace qv
