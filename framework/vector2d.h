// Two components: texture coordinates inside vertex records.
#pragma once

namespace VMath {

template <typename T>
class Vector2D {
public:
    Vector2D() : x(0), y(0) {}
    Vector2D(T x_, T y_) : x(x_), y(y_) {}

    T x;
    T y;
};

// Vertex records are copied into vertex buffers byte for byte.
static_assert(sizeof(Vector2D<float>) == 2 * sizeof(float), "Vector2D must be exactly its floats");

}  // namespace VMath
