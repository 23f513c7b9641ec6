#include "qv/display/InputSource.h"

namespace qv {

void InputSource::collect(std::vector<InputEvent>&) {}

void InputSource::frameShown() {}

} // namespace qv
