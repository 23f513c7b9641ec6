#ifndef QV_WORLD_BOX_H
#define QV_WORLD_BOX_H

#include "qv/world/Vector.h"

namespace qv {

/// An axis-aligned rectangle: corner is its smallest x and y.
class Box {
public:
    /// The corner with the smallest x and y.
    Vector corner;
    /// Extent along x, in cells.
    float horizontal = 0.0f;
    /// Extent along y, in cells.
    float vertical = 0.0f;

    /// A box of no extent at (0, 0).
    Box() = default;
    /// A box from its corner and extents.
    Box(Vector corner, float horizontal, float vertical)
        : corner(corner), horizontal(horizontal), vertical(vertical) {}
};

/// True when the boxes overlap on both axes. The intervals are closed, so
/// boxes that only touch along an edge or at a corner intersect.
bool boxesIntersect(const Box& a, const Box& b);

/// Writes "(x, y) W x H", the corner and the extents.
std::ostream& operator<<(std::ostream& out, const Box& box);

} // namespace qv

#endif
