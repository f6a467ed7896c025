#include "framework.h"
#include "vector4d.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using VMath::Matrix4x4;
using VMath::Vector3D;
using VMath::Vector4D;

namespace {

const float kHalfPi = 1.5707964f;

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

Vector4D<float> Transform(float x, float y, float z, const Matrix4x4& m) {
    return Vector4D<float>(x, y, z, 1) * m;
}

void ExpectRow(const Matrix4x4& m, int r, float a, float b, float c, float d) {
    EXPECT_NEAR(m.m[r][0], a, 1e-6) << "row " << r;
    EXPECT_NEAR(m.m[r][1], b, 1e-6) << "row " << r;
    EXPECT_NEAR(m.m[r][2], c, 1e-6) << "row " << r;
    EXPECT_NEAR(m.m[r][3], d, 1e-6) << "row " << r;
}

}  // namespace

TEST(MatrixBuilders, RotationXTurnsYTowardZ) {
    Vector4D<float> p = Transform(0, 1, 0, VRK::RotationX(kHalfPi));
    EXPECT_NEAR(p.x, 0, 1e-7);
    EXPECT_NEAR(p.y, 0, 1e-7);
    EXPECT_FLOAT_EQ(p.z, 1);
    // The single-precision cosine of pi/2 is not zero.
    EXPECT_NE(p.y, 0.0f);
    EXPECT_EQ(p.w, 1.0f);
}

TEST(MatrixBuilders, RotationZTurnsXTowardY) {
    Vector4D<float> p = Transform(1, 0, 0, VRK::RotationZ(kHalfPi));
    EXPECT_NEAR(p.x, 0, 1e-7);
    EXPECT_FLOAT_EQ(p.y, 1);
    EXPECT_NEAR(p.z, 0, 1e-7);
}

TEST(MatrixBuilders, RotationYTurnsXTowardZ) {
    Matrix4x4 m = VRK::RotationY(kHalfPi);
    Vector4D<float> p = Transform(1, 0, 0, m);
    EXPECT_NEAR(p.x, 0, 1e-7);
    EXPECT_NEAR(p.y, 0, 1e-7);
    EXPECT_FLOAT_EQ(p.z, 1);
    // +sin in row 0 and -sin in row 2, not the cyclic placement.
    EXPECT_FLOAT_EQ(m.m[0][2], 1);
    EXPECT_FLOAT_EQ(m.m[2][0], -1);
    Vector4D<float> q = Transform(0, 0, 1, m);
    EXPECT_FLOAT_EQ(q.x, -1);
}

TEST(MatrixBuilders, RotationsTakeSineAndCosineInDouble) {
    float angle = 0.3f;
    Matrix4x4 m = VRK::RotationZ(angle);
    EXPECT_EQ(m.m[0][0], static_cast<float>(std::cos(static_cast<double>(angle))));
    EXPECT_EQ(m.m[0][1], static_cast<float>(std::sin(static_cast<double>(angle))));
    EXPECT_EQ(m.m[1][0], -m.m[0][1]);
    EXPECT_EQ(m.m[3][3], 1.0f);
    EXPECT_EQ(m.m[2][2], 1.0f);
    EXPECT_EQ(VRK::RotationX(kHalfPi).m[1][1], -4.37113883e-08f);
}

TEST(MatrixBuilders, LookAtFromTheDefaultEye) {
    Matrix4x4 m = VRK::LookAt(Vector3D<float>(0, 3, -5), Vector3D<float>(0, 0, 0),
                              Vector3D<float>(0, 1, 0));
    ExpectRow(m, 0, 1, 0, 0, 0);
    ExpectRow(m, 1, 0, 0.857493f, -0.514496f, 0);
    ExpectRow(m, 2, 0, 0.514496f, 0.857493f, 0);
    ExpectRow(m, 3, 0, 0, 5.830952f, 1);
    // The eye maps to the origin and the looked-at point onto +z.
    Vector4D<float> eye = Transform(0, 3, -5, m);
    EXPECT_NEAR(eye.x, 0, 1e-6);
    EXPECT_NEAR(eye.y, 0, 1e-6);
    EXPECT_NEAR(eye.z, 0, 1e-6);
}

TEST(MatrixBuilders, LookAtIsLeftHanded) {
    // Looking down +z from behind the origin: x stays right, y stays up.
    Matrix4x4 m = VRK::LookAt(Vector3D<float>(0, 0, -2), Vector3D<float>(0, 0, 0),
                              Vector3D<float>(0, 1, 0));
    Vector4D<float> p = Transform(1, 2, 3, m);
    EXPECT_FLOAT_EQ(p.x, 1);
    EXPECT_FLOAT_EQ(p.y, 2);
    EXPECT_FLOAT_EQ(p.z, 5);
}

TEST(MatrixBuilders, LookAtDegeneratesWithoutError) {
    // Up along the viewing direction: x and y vanish, z stays.
    Matrix4x4 m = VRK::LookAt(Vector3D<float>(0, 0, 0), Vector3D<float>(0, 5, 0),
                              Vector3D<float>(0, 1, 0));
    ExpectRow(m, 0, 0, 0, 0, 0);
    ExpectRow(m, 1, 0, 0, 1, 0);
    ExpectRow(m, 2, 0, 0, 0, 0);
    ExpectRow(m, 3, 0, 0, 0, 1);

    Matrix4x4 same = VRK::LookAt(Vector3D<float>(1, 2, 3), Vector3D<float>(1, 2, 3),
                                 Vector3D<float>(0, 1, 0));
    for (int r = 0; r < 3; ++r) {
        ExpectRow(same, r, 0, 0, 0, 0);
    }
    ExpectRow(same, 3, 0, 0, 0, 1);
}

TEST(MatrixBuilders, PerspectiveFigures) {
    Matrix4x4 m = VRK::Perspective(kHalfPi, 1.25f, 0.1f, 100.0f);
    EXPECT_EQ(m.m[0][0], 0.8f);
    // 1/tan is formed in double: in single precision it would come out 1.
    EXPECT_EQ(Bits(m.m[1][1]), Bits(0.99999994f));
    EXPECT_EQ(Bits(m.m[2][2]), 0x3f8020cdu);
    EXPECT_EQ(m.m[2][3], 1.0f);
    EXPECT_EQ(Bits(m.m[3][2]), 0xbdcd0148u);
    EXPECT_EQ(m.m[3][3], 0.0f);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            bool set = (r == c && r < 3) || (r == 2 && c == 3) || (r == 3 && c == 2);
            if (!set) {
                EXPECT_EQ(m.m[r][c], 0.0f) << r << "," << c;
            }
        }
    }
}

TEST(MatrixBuilders, PerspectiveHorizontalScaleIgnoresFieldOfView) {
    Matrix4x4 m = VRK::Perspective(1.0471976f, 1.25f, 0.1f, 100.0f);
    EXPECT_EQ(m.m[0][0], 0.8f);
    EXPECT_NEAR(m.m[1][1], 1.7320508f, 1e-6);
}

TEST(MatrixBuilders, PerspectiveMapsNearAndFarToZeroAndOne) {
    Matrix4x4 m = VRK::Perspective(kHalfPi, 1.25f, 0.1f, 100.0f);
    Vector4D<float> nearPoint = Transform(0, 0, 0.1f, m);
    Vector4D<float> farPoint = Transform(0, 0, 100, m);
    EXPECT_NEAR(nearPoint.z / nearPoint.w, 0, 1e-6);
    EXPECT_NEAR(farPoint.z / farPoint.w, 1, 1e-6);
}
