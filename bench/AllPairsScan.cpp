#include "AllPairsScan.h"

#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

namespace qvbench {

qv::ObjectList allPairsCollisions(const qv::Object* object, qv::Vector where) {
    const qv::Box box = object->getBox();
    const qv::Box placed(where + box.corner, box.horizontal, box.vertical);
    const qv::ObjectList all = qv::WorldManager::getInstance().getAllObjects();
    qv::ObjectList hits;
    for (int i = 0; i < all.getCount(); ++i) {
        const qv::Object* other = all[i];
        if (other->getId() != object->getId() && other->isCollidable() &&
            qv::boxesIntersect(placed, other->getWorldBox())) {
            hits.append(all[i]);
        }
    }
    return hits;
}

} // namespace qvbench
