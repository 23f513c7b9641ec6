#ifndef QV_WORLD_VECTOR_H
#define QV_WORLD_VECTOR_H

#include <iosfwd>

namespace qv {

/// A point or displacement on the character grid; y grows downwards.
class Vector {
public:
    /// Column, growing to the right (in cells, or pixels for the mouse).
    float x = 0.0f;
    /// Row, growing downwards.
    float y = 0.0f;

    /// The point (0, 0).
    Vector() = default;
    /// The point (x, y).
    Vector(float x, float y) : x(x), y(y) {}

    /// sqrt(x * x + y * y).
    float getLength() const;

    /// Component-wise sum.
    Vector operator+(const Vector& other) const { return {x + other.x, y + other.y}; }
    /// Component-wise difference.
    Vector operator-(const Vector& other) const { return {x - other.x, y - other.y}; }
    /// Both components times factor.
    Vector operator*(float factor) const { return {x * factor, y * factor}; }
    /// Exact comparison of both components.
    bool operator==(const Vector& other) const { return x == other.x && y == other.y; }
    /// Not operator==().
    bool operator!=(const Vector& other) const { return !(*this == other); }
};

/// Writes "(x, y)": test failures then show the point.
std::ostream& operator<<(std::ostream& out, const Vector& vector);

} // namespace qv

#endif
