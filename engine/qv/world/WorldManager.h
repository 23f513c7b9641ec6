#ifndef QV_WORLD_WORLDMANAGER_H
#define QV_WORLD_WORLDMANAGER_H

#include "qv/core/Manager.h"
#include "qv/world/Box.h"
#include "qv/world/ObjectList.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

class CollisionGrid;
class Object;

/// Owns every object: lists them, deletes them at a safe point of the
/// frame, moves them by their velocities, reports collisions and leaving the
/// world, and holds the world's boundary and the view shown on screen.
class WorldManager : public Manager {
public:
    /// A replacement for the collision search, given the moving object and
    /// the place to test; it must return the hits in list order.
    using CollisionScan = ObjectList (*)(const Object* object, Vector where);

    /// The one world manager, made on first use.
    static WorldManager& getInstance();

    ~WorldManager() override;

    /// Empties both lists and counts object ids from 0 again. Objects created
    /// before this drop out of the world.
    int startUp() override;

    /// Deletes every object in the world.
    void shutDown() override;

    /// Appends the object to the world (the object constructor calls this).
    /// -1 when the world already holds ObjectList::CAPACITY objects.
    int insertObject(Object* object);

    /// Takes the object out of the world (the object destructor calls this);
    /// also forgets it as a pending deletion and as the followed object.
    /// -1 if it was not in the world.
    int removeObject(const Object* object);

    /// A snapshot of every object in the world.
    ObjectList getAllObjects() const;

    /// Every object whose type string equals type exactly, in list order.
    ObjectList objectsOfType(const std::string& type) const;

    /// Queues the object for deletion at the start of the next update();
    /// marking it again changes nothing. -1 when the queue is full.
    int markForDelete(Object* object);

    /// Deletes the marked objects, then moves every moving object.
    void update();

    /// Moves the object to where, sending collision events and, when it
    /// leaves the boundary, an out event. 0 if moved, -1 if blocked.
    int moveObject(Object* object, Vector where);

    /// The objects this one would collide with if it stood at where, in
    /// list order. Only objects near where are examined (a collision grid).
    ObjectList getCollisions(const Object* object, Vector where) const;

    /// Replaces the grid search by another one (null restores the grid);
    /// for measuring and cross-checking the grid, not for games.
    void setCollisionScan(CollisionScan scan);

    /// Keeps the collision grid up to date; Object calls it when its
    /// position, box or solidity changes.
    void noteMoved(Object* object);

    /// The world's limits: leaving them sends an out event.
    Box getBoundary() const;
    /// Sets getBoundary().
    void setBoundary(Box newBoundary);
    /// The part of the world shown in the window.
    // Inline: the display asks for it for every string, block and lone
    // character it draws.
    Box getView() const { return view; }
    /// Sets getView().
    void setView(Box newView);

    /// Keeps the view centred on this object as it moves; null stops following.
    void setViewFollowing(Object* object);

private:
    WorldManager();

    void centreViewOn(Vector position);

    ObjectList objects;
    ObjectList deletions;
    Box boundary;
    Box view;
    Object* followed;
    // Queries stamp the objects they collect, so the grid changes under const.
    std::unique_ptr<CollisionGrid> grid;
    mutable std::vector<Object*> nearby;
    CollisionScan collisionScan;
};

} // namespace qv

#endif
