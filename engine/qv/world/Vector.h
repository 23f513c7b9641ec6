#ifndef QV_WORLD_VECTOR_H
#define QV_WORLD_VECTOR_H

namespace qv {

/// A point or displacement on the character grid; y grows downwards.
class Vector {
public:
    float x = 0.0f;
    float y = 0.0f;

    Vector() = default;
    Vector(float x, float y) : x(x), y(y) {}

    /// sqrt(x * x + y * y).
    float getLength() const;

    Vector operator+(const Vector& other) const { return {x + other.x, y + other.y}; }
    Vector operator-(const Vector& other) const { return {x - other.x, y - other.y}; }
    Vector operator*(float factor) const { return {x * factor, y * factor}; }
    /// Exact comparison of both components.
    bool operator==(const Vector& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Vector& other) const { return !(*this == other); }
};

} // namespace qv

#endif
