#include "matrix4x4.h"
#include "vector2d.h"
#include "vector3d.h"
#include "vector4d.h"

#include <gtest/gtest.h>

#include <cstring>

using VMath::Matrix4x4;
using VMath::Vector2D;
using VMath::Vector3D;
using VMath::Vector4D;

namespace {

void ExpectVector(const Vector3D<float>& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

}  // namespace

TEST(VectorMath, VectorsAreExactlyTheirFloatsInOrder) {
    Vector3D<float> v(1.0f, 2.0f, 3.0f);
    float raw[3];
    std::memcpy(raw, &v, sizeof raw);
    EXPECT_EQ(raw[0], 1.0f);
    EXPECT_EQ(raw[1], 2.0f);
    EXPECT_EQ(raw[2], 3.0f);

    Vector2D<float> t(4.0f, 5.0f);
    float rawT[2];
    std::memcpy(rawT, &t, sizeof rawT);
    EXPECT_EQ(rawT[0], 4.0f);
    EXPECT_EQ(rawT[1], 5.0f);

    Vector4D<float> h(v, 7.0f);
    float rawH[4];
    std::memcpy(rawH, &h, sizeof rawH);
    EXPECT_EQ(rawH[0], 1.0f);
    EXPECT_EQ(rawH[3], 7.0f);

    Matrix4x4 m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    float rawM[16];
    std::memcpy(rawM, &m, sizeof rawM);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(rawM[i], static_cast<float>(i)) << "element " << i;
    }
}

TEST(VectorMath, DefaultVectorsAreZero) {
    ExpectVector(Vector3D<float>(), 0, 0, 0);
    Vector2D<float> t;
    EXPECT_EQ(t.x, 0.0f);
    EXPECT_EQ(t.y, 0.0f);
}

TEST(VectorMath, ArithmeticIsComponentWise) {
    Vector3D<float> a(1, 2, 3);
    Vector3D<float> b(4, -5, 6);
    ExpectVector(a + b, 5, -3, 9);
    ExpectVector(a - b, -3, 7, -3);
    ExpectVector(-a, -1, -2, -3);
    ExpectVector(a * 2.0f, 2, 4, 6);
    ExpectVector(2.0f * a, 2, 4, 6);
    ExpectVector(b / 2.0f, 2, -2.5f, 3);
    ExpectVector(a, 1, 2, 3);
}

TEST(VectorMath, DivisionDividesEachComponent) {
    // 1/3 rounded and multiplied gives a different last bit than 1/3.
    Vector3D<float> v = Vector3D<float>(1.0f, 10.0f, 7.0f) / 3.0f;
    EXPECT_EQ(v.x, 1.0f / 3.0f);
    EXPECT_EQ(v.y, 10.0f / 3.0f);
    EXPECT_EQ(v.z, 7.0f / 3.0f);
}

TEST(VectorMath, LengthAndNormalized) {
    EXPECT_EQ(Vector3D<float>(3, 0, 4).Length(), 5.0f);
    Vector3D<float> v(3, 0, 4);
    Vector3D<float> n = v.Normalized();
    EXPECT_EQ(n.x, 3.0f / 5.0f);
    EXPECT_EQ(n.y, 0.0f);
    EXPECT_EQ(n.z, 4.0f / 5.0f);
    ExpectVector(v, 3, 0, 4);

    Vector3D<float> zero = Vector3D<float>().Normalized();
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
}

TEST(VectorMath, CrossFollowsTheRightHandRule) {
    ExpectVector(Vector3D<float>(1, 0, 0).Cross(Vector3D<float>(0, 1, 0)), 0, 0, 1);
    ExpectVector(Vector3D<float>(0, 1, 0).Cross(Vector3D<float>(1, 0, 0)), 0, 0, -1);
    ExpectVector(Vector3D<float>(1, 2, 3).Cross(Vector3D<float>(4, 5, 6)), -3, 6, -3);
}

TEST(VectorMath, ProductAppliesLeftMatrixFirst) {
    // Scale x by 2, then translate by (1, 0, 0): (1, 0, 0) ends at x = 3.
    Matrix4x4 scale(2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    Matrix4x4 move(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1);
    Vector4D<float> p = Vector4D<float>(1, 0, 0, 1) * (scale * move);
    EXPECT_EQ(p.x, 3.0f);
    Vector4D<float> q = Vector4D<float>(1, 0, 0, 1) * (move * scale);
    EXPECT_EQ(q.x, 4.0f);
    EXPECT_EQ(q.w, 1.0f);
}

TEST(VectorMath, ProductIsSafeInPlace) {
    Matrix4x4 a(1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    Matrix4x4 b(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 5, 6, 0, 1);
    a = a * b;
    EXPECT_EQ(a.m[0][0], 2.0f);
    EXPECT_EQ(a.m[0][1], 1.0f);
    EXPECT_EQ(a.m[1][0], 4.0f);
    EXPECT_EQ(a.m[1][1], 3.0f);
    EXPECT_EQ(a.m[3][0], 5.0f);
    EXPECT_EQ(a.m[3][1], 6.0f);

    Matrix4x4 c(1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    Matrix4x4 d(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 5, 6, 0, 1);
    d = c * d;
    EXPECT_EQ(d.m[0][0], 2.0f);
    EXPECT_EQ(d.m[1][1], 3.0f);
    EXPECT_EQ(d.m[3][0], 5.0f);
}

TEST(VectorMath, SumsRunFromFirstTermToLast) {
    // 1 + 1 + 1e8 - 1e8 is 0 summed left to right in single precision, 2 in
    // any other grouping.
    Matrix4x4 a(1, 1, 1e8f, -1e8f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    Matrix4x4 b(1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0);
    EXPECT_EQ((a * b).m[0][0], 0.0f);

    Vector4D<float> v = Vector4D<float>(1, 1, 1e8f, -1e8f) * b;
    EXPECT_EQ(v.x, 0.0f);
}
