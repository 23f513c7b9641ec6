#include "qv/core/EventView.h"

namespace qv {

EventView::EventView(std::string label, int amount, bool relative)
    : label(std::move(label)), amount(amount), relative(relative) {
    setType(TYPE);
}

std::string EventView::getLabel() const {
    return label;
}

int EventView::getAmount() const {
    return amount;
}

bool EventView::isRelative() const {
    return relative;
}

} // namespace qv
