#ifndef QV_CORE_EVENTOUT_H
#define QV_CORE_EVENTOUT_H

#include "qv/core/Event.h"

namespace qv {

/// Sent to an object whose move took it from touching the world's boundary
/// to wholly outside it.
class EventOut : public Event {
public:
    static constexpr const char* TYPE = "qv::out";

    EventOut();
};

} // namespace qv

#endif
