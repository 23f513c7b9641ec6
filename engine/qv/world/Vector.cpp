#include "qv/world/Vector.h"

#include <cmath>
#include <ostream>

namespace qv {

float Vector::getLength() const {
    return std::sqrt(x * x + y * y);
}

std::ostream& operator<<(std::ostream& out, const Vector& vector) {
    return out << '(' << vector.x << ", " << vector.y << ')';
}

} // namespace qv
