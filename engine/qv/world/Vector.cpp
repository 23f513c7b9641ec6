#include "qv/world/Vector.h"

#include <cmath>

namespace qv {

float Vector::getLength() const {
    return std::sqrt(x * x + y * y);
}

} // namespace qv
