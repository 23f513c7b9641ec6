#include "qv/world/CollisionGrid.h"

#include "qv/world/Object.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

void eraseFrom(std::vector<Object*>& objects, const Object* object) {
    const auto found = std::find(objects.begin(), objects.end(), object);
    if (found != objects.end()) {
        *found = objects.back();
        objects.pop_back();
    }
}

} // namespace

CollisionGrid::CollisionGrid() : buckets(BUCKET_COUNT), currentStamp(0) {}

int CollisionGrid::cellOf(float coordinate) {
    const float clamped = std::min(std::max(coordinate, -MAX_COORDINATE), MAX_COORDINATE);
    return static_cast<int>(std::floor(clamped / CELL_SIZE));
}

std::size_t CollisionGrid::bucketOf(int column, int row) {
    const auto hash = static_cast<std::uint32_t>(column) * 73856093u ^
                      static_cast<std::uint32_t>(row) * 19349663u;
    return hash % BUCKET_COUNT;
}

void CollisionGrid::place(Object* object) {
    GridPlacement wanted;
    wanted.queryStamp = object->gridPlacement->queryStamp;
    if (object->isCollidable()) {
        const Box box = object->getWorldBox();
        // The end is summed exactly as the box test sums it, so a box that
        // only touches a cell edge is filed in that cell too.
        const float endX = box.corner.x + box.horizontal;
        const float endY = box.corner.y + box.vertical;
        wanted.listed = true;
        if (!std::isfinite(box.corner.x) || !std::isfinite(box.corner.y) || !std::isfinite(endX) ||
            !std::isfinite(endY)) {
            wanted.oversized = true;
        } else {
            wanted.firstColumn = cellOf(std::min(box.corner.x, endX));
            wanted.lastColumn = cellOf(std::max(box.corner.x, endX));
            wanted.firstRow = cellOf(std::min(box.corner.y, endY));
            wanted.lastRow = cellOf(std::max(box.corner.y, endY));
            const long long cells =
                static_cast<long long>(wanted.lastColumn - wanted.firstColumn + 1) *
                (wanted.lastRow - wanted.firstRow + 1);
            wanted.oversized = cells > MAX_CELLS_PER_OBJECT;
        }
    }

    const GridPlacement& current = *object->gridPlacement;
    const bool unchanged =
        current.listed == wanted.listed && current.oversized == wanted.oversized &&
        current.firstColumn == wanted.firstColumn && current.lastColumn == wanted.lastColumn &&
        current.firstRow == wanted.firstRow && current.lastRow == wanted.lastRow;
    if (unchanged) {
        return;
    }
    unfile(object, current);
    file(object, wanted);
    *object->gridPlacement = wanted;
}

void CollisionGrid::remove(Object* object) {
    unfile(object, *object->gridPlacement);
    *object->gridPlacement = GridPlacement();
}

void CollisionGrid::clear() {
    for (std::vector<Object*>& bucket : buckets) {
        bucket.clear();
    }
    oversized.clear();
}

void CollisionGrid::unfile(Object* object, const GridPlacement& placement) {
    if (!placement.listed) {
        return;
    }
    if (placement.oversized) {
        eraseFrom(oversized, object);
        return;
    }
    for (int row = placement.firstRow; row <= placement.lastRow; ++row) {
        for (int column = placement.firstColumn; column <= placement.lastColumn; ++column) {
            eraseFrom(buckets[bucketOf(column, row)], object);
        }
    }
}

void CollisionGrid::file(Object* object, const GridPlacement& placement) {
    if (!placement.listed) {
        return;
    }
    if (placement.oversized) {
        oversized.push_back(object);
        return;
    }
    for (int row = placement.firstRow; row <= placement.lastRow; ++row) {
        for (int column = placement.firstColumn; column <= placement.lastColumn; ++column) {
            std::vector<Object*>& bucket = buckets[bucketOf(column, row)];
            // Cells that share a bucket must not file the object twice.
            if (std::find(bucket.begin(), bucket.end(), object) == bucket.end()) {
                bucket.push_back(object);
            }
        }
    }
}

void CollisionGrid::collectNear(const Box& area, std::vector<Object*>& nearby) {
    if (++currentStamp == 0) {
        // After four billion queries the stamps wrap: forget the old ones so
        // none of them is mistaken for this query's.
        for (std::vector<Object*>& bucket : buckets) {
            for (Object* object : bucket) {
                object->gridPlacement->queryStamp = 0;
            }
        }
        for (Object* object : oversized) {
            object->gridPlacement->queryStamp = 0;
        }
        currentStamp = 1;
    }
    auto collect = [this, &nearby](Object* object) {
        if (object->gridPlacement->queryStamp != currentStamp) {
            object->gridPlacement->queryStamp = currentStamp;
            nearby.push_back(object);
        }
    };
    for (Object* object : oversized) {
        collect(object);
    }
    const float endX = area.corner.x + area.horizontal;
    const float endY = area.corner.y + area.vertical;
    if (!std::isfinite(area.corner.x) || !std::isfinite(area.corner.y) || !std::isfinite(endX) ||
        !std::isfinite(endY)) {
        return; // a box that is not finite intersects nothing
    }
    const int firstColumn = cellOf(std::min(area.corner.x, endX));
    const int lastColumn = cellOf(std::max(area.corner.x, endX));
    const int firstRow = cellOf(std::min(area.corner.y, endY));
    const int lastRow = cellOf(std::max(area.corner.y, endY));
    const long long cells =
        static_cast<long long>(lastColumn - firstColumn + 1) * (lastRow - firstRow + 1);
    if (cells > BUCKET_COUNT) {
        // A huge area would visit every bucket many times over.
        for (std::vector<Object*>& bucket : buckets) {
            for (Object* object : bucket) {
                collect(object);
            }
        }
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            for (Object* object : buckets[bucketOf(column, row)]) {
                collect(object);
            }
        }
    }
}

} // namespace qv
