// Measures the real frame loop's period (start of one frame to the start of
// the next) over 300 frames of an empty world and prints mean, median,
// 99th percentile and worst, in microseconds.
#include "qv/core/EventStep.h"
#include "qv/core/GameManager.h"
#include "qv/core/Platform.h"
#include "qv/world/Object.h"
#include "qv/world/WorldManager.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int FRAMES = 300;

/// Notes the time of every step event and ends the loop after FRAMES + 1
/// steps (FRAMES periods).
class FrameStamper : public qv::Object {
public:
    std::vector<std::int64_t> stamps;

    FrameStamper() {
        setSolidity(qv::Solidity::Intangible);
        setAltitude(-1);
        stamps.reserve(FRAMES + 1);
    }

    int eventHandler(const qv::Event* event) override {
        if (event->getType() != qv::EventStep::TYPE) {
            return 0;
        }
        stamps.push_back(qv::platform::monotonicMicros());
        if (static_cast<int>(stamps.size()) == FRAMES + 1) {
            qv::GameManager::getInstance().setGameOver(true);
        }
        return 1;
    }
};

} // namespace

int main() {
    qv::GameManager& game = qv::GameManager::getInstance();
    if (game.startUp() != 0) {
        std::fprintf(stderr, "qv_pacing: the engine did not start\n");
        game.shutDown();
        return 1;
    }
    auto* stamper = new FrameStamper;
    game.run();

    std::vector<std::int64_t> periods;
    for (std::size_t i = 1; i < stamper->stamps.size(); ++i) {
        periods.push_back(stamper->stamps[i] - stamper->stamps[i - 1]);
    }
    game.shutDown();
    if (periods.empty()) {
        std::fprintf(stderr, "qv_pacing: no frames ran\n");
        return 1;
    }

    std::sort(periods.begin(), periods.end());
    std::int64_t sum = 0;
    for (const std::int64_t period : periods) {
        sum += period;
    }
    const std::size_t n = periods.size();
    std::printf("frames=%zu mean_us=%lld p50_us=%lld p99_us=%lld max_us=%lld\n", n,
                static_cast<long long>(sum / static_cast<std::int64_t>(n)),
                static_cast<long long>(periods[n / 2]),
                static_cast<long long>(periods[(n * 99) / 100]),
                static_cast<long long>(periods.back()));
    return 0;
}
