#include "qv/core/EventStep.h"

namespace qv {

EventStep::EventStep() : stepCount(0) {
    setType(TYPE);
}

int EventStep::getStepCount() const {
    return stepCount;
}

void EventStep::setStepCount(int count) {
    stepCount = count;
}

} // namespace qv
