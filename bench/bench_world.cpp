// World update cost: every object moving within the 80 x 24 world, half of
// them solid, so the collision search dominates.
#include "AllPairsScan.h"

#include "qv/core/EventOut.h"
#include "qv/core/Random.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include <benchmark/benchmark.h>

namespace {

/// Turns back when it leaves the world, so the world stays as crowded
/// however many iterations run.
class Bouncer : public qv::Object {
public:
    int eventHandler(const qv::Event* event) override {
        if (event->getType() == qv::EventOut::TYPE) {
            setVelocity(getVelocity() * -1.0f);
            return 1;
        }
        return 0;
    }
};

void populate(int count) {
    qv::WorldManager& world = qv::WorldManager::getInstance();
    world.startUp();
    world.setBoundary(qv::Box(qv::Vector(), 80.0f, 24.0f));
    qv::Random numbers(7);
    for (int i = 0; i < count; ++i) {
        auto* object = new Bouncer;
        object->setPosition(qv::Vector(static_cast<float>(numbers.next() % 80),
                                       static_cast<float>(numbers.next() % 24)));
        object->setVelocity(qv::Vector(static_cast<float>(numbers.next() % 3 - 1) * 0.25f,
                                       static_cast<float>(numbers.next() % 3 - 1) * 0.25f + 0.01f));
        object->setSolidity(i % 2 == 0 ? qv::Solidity::Solid : qv::Solidity::Passable);
    }
}

void BM_WorldUpdate(benchmark::State& state) {
    populate(static_cast<int>(state.range(0)));
    qv::WorldManager& world = qv::WorldManager::getInstance();
    for (auto _ : state) {
        world.update();
    }
    world.shutDown();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WorldUpdate)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

// The same world searched without the collision grid: every moving object
// against every object.
void BM_WorldUpdate_AllPairs(benchmark::State& state) {
    qv::WorldManager::getInstance().setCollisionScan(qvbench::allPairsCollisions);
    BM_WorldUpdate(state);
    qv::WorldManager::getInstance().setCollisionScan(nullptr);
}
BENCHMARK(BM_WorldUpdate_AllPairs)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
