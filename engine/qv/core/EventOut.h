#ifndef QV_CORE_EVENTOUT_H
#define QV_CORE_EVENTOUT_H

#include "qv/core/Event.h"

namespace qv {

/// Sent to an object whose move took it from touching the world's boundary
/// to wholly outside it.
class EventOut : public Event {
public:
    /// The type string of this event class.
    static constexpr const char* TYPE = "qv::out";

    EventOut();
};

} // namespace qv

#endif
