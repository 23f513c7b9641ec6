#include "qv/world/Box.h"

#include <ostream>

namespace qv {

namespace {

bool intervalsOverlap(float aStart, float aExtent, float bStart, float bExtent) {
    return (bStart <= aStart && aStart <= bStart + bExtent) ||
           (aStart <= bStart && bStart <= aStart + aExtent);
}

} // namespace

bool boxesIntersect(const Box& a, const Box& b) {
    return intervalsOverlap(a.corner.x, a.horizontal, b.corner.x, b.horizontal) &&
           intervalsOverlap(a.corner.y, a.vertical, b.corner.y, b.vertical);
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << box.corner << ' ' << box.horizontal << " x " << box.vertical;
}

} // namespace qv
