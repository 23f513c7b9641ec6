#include "qv/core/Event.h"

namespace qv {

Event::Event() : type("qv::undefined") {}

std::string Event::getType() const {
    return type;
}

void Event::setType(std::string newType) {
    type = std::move(newType);
}

} // namespace qv
