#include "qv/display/InputSource.h"

namespace qv {

void InputSource::collect(std::vector<InputEvent>&) {}

void InputSource::frameShown() {}

void InputSource::skip() {
    std::vector<InputEvent> ignored;
    collect(ignored);
}

} // namespace qv
