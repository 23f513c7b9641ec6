// What recording adds to a frame: the replay session's part of one frame
// (its frame start, with a checkpoint every 30 frames, and one held key
// written), live and then recording, in a world of 40 objects with one log
// message a frame (recording also digests every message). The difference of
// the two is the cost of recording; both run in the same program run.
#include "qv/core/LogManager.h"
#include "qv/replay/ReplayRecord.h"
#include "qv/replay/ReplaySession.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void setUpWorld() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    qv::LogManager::getInstance().redirect(std::fopen("/dev/null", "w"));
    qv::WorldManager& world = qv::WorldManager::getInstance();
    world.startUp();
    world.setBoundary(qv::Box(qv::Vector(), 80.0f, 24.0f));
    for (int i = 0; i < 40; ++i) {
        auto* object = new qv::Object;
        object->setPosition(qv::Vector(static_cast<float>(i * 2), static_cast<float>(i % 24)));
    }
}

void frames(benchmark::State& state) {
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    const qv::ReplayRecord held = qv::ReplayRecord::key(2, 3);
    for (auto _ : state) {
        session.beginFrame();
        session.recordInput(held);
        qv::LogManager::getInstance().writeLog("Keyboard Action %d, Key %d\n", 0, 3);
    }
}

void BM_FrameLive(benchmark::State& state) {
    setUpWorld();
    frames(state);
}
BENCHMARK(BM_FrameLive);

void BM_FrameRecording(benchmark::State& state) {
    setUpWorld();
    qv::ReplaySession& session = qv::ReplaySession::getInstance();
    if (session.startRecording("/tmp/qv-bench.replay") != 0) {
        state.SkipWithError(session.getError().c_str());
        return;
    }
    frames(state);
    session.finish();
    std::remove("/tmp/qv-bench.replay");
}
BENCHMARK(BM_FrameRecording);

} // namespace
