#ifndef QV_CORE_EVENTVIEW_H
#define QV_CORE_EVENTVIEW_H

#include "qv/core/Event.h"

#include <string>

namespace qv {

/// Changes the value of every view object whose label equals this event's.
class EventView : public Event {
public:
    /// The type string of this event class.
    static constexpr const char* TYPE = "qv::view";

    /// For the view objects labelled label: add amount (relative) or show it.
    EventView(std::string label, int amount, bool relative);

    /// The label of the view objects concerned.
    std::string getLabel() const;
    /// The amount to add or to show.
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
