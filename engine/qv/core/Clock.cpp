#include "qv/core/Clock.h"

#include "qv/core/Platform.h"

namespace qv {

Clock::Clock(TimeSource source)
    : source(source != nullptr ? source : platform::monotonicMicros), startMicros(this->source()) {}

void Clock::restart() {
    startMicros = source();
}

void Clock::restartAt(std::int64_t newStartMicros) {
    startMicros = newStartMicros;
}

std::int64_t Clock::nowMicros() const {
    return source();
}

std::int64_t Clock::elapsedMs() const {
    return elapsedMicros() / 1000;
}

std::int64_t Clock::elapsedMicros() const {
    const std::int64_t elapsed = source() - startMicros;
    return elapsed > 0 ? elapsed : 0;
}

} // namespace qv
