#include "qv/platform/desktop/DisplayProbe.h"

namespace qv {

DisplayProbe::~DisplayProbe() = default;

} // namespace qv
