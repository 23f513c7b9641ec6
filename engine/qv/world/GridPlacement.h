#ifndef QV_WORLD_GRIDPLACEMENT_H
#define QV_WORLD_GRIDPLACEMENT_H

#include <cstdint>

namespace qv {

/// Where an object is filed in the collision grid; kept inside the object so
/// that moving it needs no lookup.
struct GridPlacement {
    bool listed = false;    ///< in the grid at all (collidable objects only)
    bool oversized = false; ///< too large or not finite: looked at by every query
    int firstColumn = 0;
    int firstRow = 0;
    int lastColumn = -1;
    int lastRow = -1;
    std::uint32_t queryStamp = 0; ///< the last query that already collected it
};

} // namespace qv

#endif
