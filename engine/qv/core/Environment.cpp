#include "qv/core/Environment.h"

#include <utility>

namespace qv {

Environment& Environment::getInstance() {
    static Environment instance;
    return instance;
}

long long Environment::value(const std::string& name, long long live) {
    return override ? override(name, live) : live;
}

std::time_t Environment::calendarTime() {
    return static_cast<std::time_t>(value("time", std::time(nullptr)));
}

void Environment::setOverride(Override newOverride) {
    override = std::move(newOverride);
}

} // namespace qv
