#ifndef QV_CORE_EVENTVIEW_H
#define QV_CORE_EVENTVIEW_H

#include "qv/core/Event.h"

#include <string>

namespace qv {

/// Changes the value of every view object whose label equals this event's.
class EventView : public Event {
public:
    static constexpr const char* TYPE = "qv::view";

    EventView(std::string label, int amount, bool relative);

    std::string getLabel() const;
    int getAmount() const;
    /// True: add the amount to the value; false: replace the value.
    bool isRelative() const;

private:
    std::string label;
    int amount;
    bool relative;
};

} // namespace qv

#endif
