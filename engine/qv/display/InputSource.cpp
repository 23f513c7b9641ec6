#include "qv/display/InputSource.h"

namespace qv {

void InputSource::collect(std::vector<ReplayRecord>&) {}

} // namespace qv
