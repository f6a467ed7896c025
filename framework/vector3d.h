// Three components: positions, directions, normals and per-vertex attributes.
#pragma once

#include <cmath>

namespace VMath {

template <typename T>
class Vector3D {
public:
    Vector3D() : x(0), y(0), z(0) {}
    Vector3D(T x_, T y_, T z_) : x(x_), y(y_), z(z_) {}

    Vector3D operator-() const { return Vector3D(-x, -y, -z); }
    Vector3D operator-(const Vector3D& o) const { return Vector3D(x - o.x, y - o.y, z - o.z); }
    Vector3D operator+(const Vector3D& o) const { return Vector3D(x + o.x, y + o.y, z + o.z); }
    Vector3D operator*(T s) const { return Vector3D(x * s, y * s, z * s); }
    // Three divisions: a multiplication by 1/s would round differently.
    Vector3D operator/(T s) const { return Vector3D(x / s, y / s, z / s); }

    // The root is taken in double and rounded, as the C runtime's sqrt gives it.
    T Length() const { return static_cast<T>(std::sqrt(static_cast<double>(x * x + y * y + z * z))); }

    Vector3D Normalized() const {
        T length = Length();
        if (length == 0) {
            return Vector3D();
        }
        return *this / length;
    }

    Vector3D Cross(const Vector3D& o) const {
        return Vector3D(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
    }

    T x;
    T y;
    T z;
};

template <typename T>
inline Vector3D<T> operator*(T s, const Vector3D<T>& v) {
    return Vector3D<T>(s * v.x, s * v.y, s * v.z);
}

// Vertex records embed this type and are copied byte for byte.
static_assert(sizeof(Vector3D<float>) == 3 * sizeof(float), "Vector3D must be exactly its floats");

}  // namespace VMath
