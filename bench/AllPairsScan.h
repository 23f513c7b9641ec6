#ifndef QV_BENCH_ALLPAIRSSCAN_H
#define QV_BENCH_ALLPAIRSSCAN_H

#include "qv/world/ObjectList.h"
#include "qv/world/Vector.h"

namespace qv {
class Object;
}

namespace qvbench {

/// The plain collision search: the moving object's box at where against
/// every object in the world, in list order. The yardstick for the grid,
/// installed with WorldManager::setCollisionScan().
qv::ObjectList allPairsCollisions(const qv::Object* object, qv::Vector where);

} // namespace qvbench

#endif
