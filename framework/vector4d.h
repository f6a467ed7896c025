// Four components: homogeneous points multiplied by a matrix.
#pragma once

#include "matrix4x4.h"
#include "vector3d.h"

namespace VMath {

template <typename T>
class Vector4D {
public:
    Vector4D(T x_, T y_, T z_, T w_) : x(x_), y(y_), z(z_), w(w_) {}
    Vector4D(const Vector3D<T>& v, T w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    T x;
    T y;
    T z;
    T w;
};

// The row vector times the matrix; no division by w.
inline Vector4D<float> operator*(const Vector4D<float>& v, const Matrix4x4& m) {
    return Vector4D<float>(v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + v.w * m.m[3][0],
                           v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + v.w * m.m[3][1],
                           v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + v.w * m.m[3][2],
                           v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + v.w * m.m[3][3]);
}

static_assert(sizeof(Vector4D<float>) == 4 * sizeof(float), "Vector4D must be exactly its floats");

}  // namespace VMath
