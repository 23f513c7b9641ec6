#include "qv/display/Screen.h"

namespace qv {

Screen::~Screen() = default;

void Screen::flush(const std::vector<ScreenCell>&) {}

bool Screen::showStatus(const std::string&) {
    return false;
}

long long Screen::getRasterisedCells() const {
    return 0;
}

std::unique_ptr<InputSource> Screen::makeInput() {
    return nullptr;
}

void Screen::setKeyRepeat(bool) {}

} // namespace qv
