#ifndef QV_DISPLAY_INPUTSOURCE_H
#define QV_DISPLAY_INPUTSOURCE_H

#include "qv/replay/ReplayRecord.h"

#include <vector>

namespace qv {

/// Where a run's keyboard and mouse events come from, chosen once when the
/// input manager starts. This base gives none: the source of a run without
/// a window and without a replay.
class InputSource {
public:
    virtual ~InputSource() = default;

    /// Appends this frame's events, in the order they happened, as KEY and
    /// MOUSE records (their frame is not set).
    virtual void collect(std::vector<ReplayRecord>& events);
};

} // namespace qv

#endif
