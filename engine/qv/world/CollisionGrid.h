#ifndef QV_WORLD_COLLISIONGRID_H
#define QV_WORLD_COLLISIONGRID_H

#include "qv/world/Box.h"
#include "qv/world/GridPlacement.h"

#include <cstdint>
#include <vector>

namespace qv {

class Object;

/// A broad phase for collision queries: every collidable object is filed in
/// the buckets of the grid cells its world box touches, so a query looks at
/// the objects near a box instead of at every object. It only narrows the
/// search: callers still test the boxes exactly, so it finds what a scan of
/// every object finds.
class CollisionGrid {
public:
    CollisionGrid();

    /// Files the object under its current world box and solidity, or takes
    /// it out when it is intangible. Cheap when its cells did not change.
    void place(Object* object);

    /// Takes the object out of the grid.
    void remove(Object* object);

    /// Empties the grid (objects keep stale placements; place() again).
    void clear();

    /// Appends to nearby, once each, every listed object whose cells touch
    /// area: a superset of the objects whose world box intersects it.
    void collectNear(const Box& area, std::vector<Object*>& nearby);

private:
    static constexpr float CELL_SIZE = 2.0f;
    static constexpr int BUCKET_COUNT = 4096;
    // Boxes covering more cells than this are kept in a list of their own.
    static constexpr int MAX_CELLS_PER_OBJECT = 256;
    // Far-away coordinates are clamped so cell numbers cannot overflow.
    static constexpr float MAX_COORDINATE = 1.0e6f;

    static int cellOf(float coordinate);
    static std::size_t bucketOf(int column, int row);
    void unfile(Object* object, const GridPlacement& placement);
    void file(Object* object, const GridPlacement& placement);

    std::vector<std::vector<Object*>> buckets;
    std::vector<Object*> oversized;
    std::uint32_t currentStamp;
};

} // namespace qv

#endif
