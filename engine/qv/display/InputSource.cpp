#include "qv/display/InputSource.h"

namespace qv {

void InputSource::collect(std::vector<InputEvent>&) {}

} // namespace qv
