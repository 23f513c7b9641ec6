#include "qv/platform/desktop/HeldInput.h"

namespace qv {

HeldInput::~HeldInput() = default;

} // namespace qv
