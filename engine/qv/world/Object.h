#ifndef QV_WORLD_OBJECT_H
#define QV_WORLD_OBJECT_H

#include "qv/world/Box.h"
#include "qv/world/Vector.h"

#include <memory>
#include <string>

namespace qv {

class Event;
class Sprite;
struct GridPlacement;

/// How an object takes part in collisions.
enum class Solidity : int {
    Solid = 0,      ///< collides; two solid objects block each other
    Passable = 1,   ///< collides (gets collision events) but never blocks
    Intangible = 2, ///< takes no part in collisions
};

/// Everything that lives in the world. Constructing an object enters it in
/// the world manager's list, which owns it from then on: remove it with
/// WorldManager::markForDelete(), not delete.
class Object {
public:
    /// Enters the object in the world (unless the world is full).
    Object();
    /// Takes the object out of the world.
    virtual ~Object();

    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    /// Reacts to an event; 1 when handled, 0 when ignored. The base ignores all.
    virtual int eventHandler(const Event* event);

    /// Draws the bound sprite's current frame centred on the position and
    /// advances the animation. -1 when there is no sprite.
    virtual int draw();

    /// Unique for the whole run; ids are never reused.
    int getId() const;

    /// The kind of object, as WorldManager::objectsOfType() finds it.
    const std::string& getType() const;
    /// Sets getType().
    void setType(std::string newType);

    /// Where the object is, in world cells.
    Vector getPosition() const;
    /// Places the object directly, without collision or out-of-world checks.
    void setPosition(Vector newPosition);

    /// Drawing layer: 0 is drawn first, 4 last; others are never drawn.
    int getAltitude() const;
    /// Sets getAltitude().
    void setAltitude(int newAltitude);

    /// Cells per step along getDirection().
    float getSpeed() const;
    /// Changes the speed and keeps the direction.
    void setSpeed(float newSpeed);
    /// A unit vector, or (0, 0).
    Vector getDirection() const;
    /// Sets speed (the length of velocity) and direction (velocity made unit).
    void setVelocity(Vector velocity);
    /// direction * speed.
    Vector getVelocity() const;

    /// How the object takes part in collisions.
    Solidity getSolidity() const;
    /// Sets getSolidity(); the world files the object anew.
    void setSolidity(Solidity newSolidity);
    /// True for Solid and Passable objects.
    bool isCollidable() const;

    /// Binds the sprite loaded under label and centres the box on the position
    /// with the sprite's size. -1, and nothing changed, when there is none.
    int setSprite(std::string label);
    /// The bound sprite (owned by the resource manager), or null.
    Sprite* getSprite() const;

    /// The sprite frame drawn next.
    int getFrameIndex() const;
    /// Sets getFrameIndex().
    void setFrameIndex(int newFrameIndex);
    /// Draws since the frame last advanced; -1 holds the animation still.
    int getFrameCountdown() const;
    /// Sets getFrameCountdown().
    void setFrameCountdown(int newFrameCountdown);

    /// The box, relative to the position.
    Box getBox() const;
    /// The box moved by the position.
    Box getWorldBox() const;

private:
    friend class CollisionGrid;
    friend class WorldManager;

    /// Tells the world that the box or solidity changed, for its collision grid.
    void noteMoved();

    static int nextId;

    int id;
    std::string type;
    Vector position;
    int altitude;
    float speed;
    Vector direction;
    Solidity solidity;
    Sprite* sprite;
    std::string spriteLabel;
    int frameIndex;
    int frameCountdown;
    Box box;
    // Book-keeping of the world manager: the place in its list (-1 when not
    // listed) and in its collision grid, whose type stays out of this header.
    int listIndex;
    std::unique_ptr<GridPlacement> gridPlacement;
};

} // namespace qv

#endif
