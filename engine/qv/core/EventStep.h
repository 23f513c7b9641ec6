#ifndef QV_CORE_EVENTSTEP_H
#define QV_CORE_EVENTSTEP_H

#include "qv/core/Event.h"

namespace qv {

/// Sent to every object once per frame, before input.
class EventStep : public Event {
public:
    /// The type string of this event class.
    static constexpr const char* TYPE = "qv::step";

    EventStep();

    /// The frame number, from 0 at the start of the game loop.
    int getStepCount() const;
    /// Sets getStepCount(); the loop reuses one event.
    void setStepCount(int count);

private:
    int stepCount;
};

} // namespace qv

#endif
