// A 4x4 float matrix, row-major, used with row vectors: p' = p * M, the
// translation in row 3, and in A * B the matrix A acts first.
#pragma once

namespace VMath {

class Matrix4x4 {
public:
    // Left unset: every user fills all sixteen values before reading any.
    Matrix4x4() {}
    Matrix4x4(float m00, float m01, float m02, float m03,
              float m10, float m11, float m12, float m13,
              float m20, float m21, float m22, float m23,
              float m30, float m31, float m32, float m33);

    Matrix4x4 operator*(const Matrix4x4& o) const;

    float m[4][4];
};

// Effects receive the sixteen floats in storage order.
static_assert(sizeof(Matrix4x4) == 16 * sizeof(float), "Matrix4x4 must be exactly its floats");

}  // namespace VMath
