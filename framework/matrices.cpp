// The rotation, view and projection builders declared in the framework header.
#include "framework.h"

#include <cmath>

namespace VRK {

namespace {

// The C runtime's functions in double precision, rounded back to float.
float Cos(float radians) { return static_cast<float>(std::cos(static_cast<double>(radians))); }
float Sin(float radians) { return static_cast<float>(std::sin(static_cast<double>(radians))); }

}  // namespace

VMath::Matrix4x4 RotationX(float angle) {
    float c = Cos(angle);
    float s = Sin(angle);
    return VMath::Matrix4x4(1, 0, 0, 0,
                            0, c, s, 0,
                            0, -s, c, 0,
                            0, 0, 0, 1);
}

// +s in row 0 and -s in row 2 turn +x toward +z, the opposite of the cyclic
// placement that RotationX and RotationZ follow.
VMath::Matrix4x4 RotationY(float angle) {
    float c = Cos(angle);
    float s = Sin(angle);
    return VMath::Matrix4x4(c, 0, s, 0,
                            0, 1, 0, 0,
                            -s, 0, c, 0,
                            0, 0, 0, 1);
}

VMath::Matrix4x4 RotationZ(float angle) {
    float c = Cos(angle);
    float s = Sin(angle);
    return VMath::Matrix4x4(c, s, 0, 0,
                            -s, c, 0, 0,
                            0, 0, 1, 0,
                            0, 0, 0, 1);
}

VMath::Matrix4x4 LookAt(const VMath::Vector3D<float>& eye, const VMath::Vector3D<float>& at,
                        const VMath::Vector3D<float>& up) {
    VMath::Vector3D<float> z = (at - eye).Normalized();
    VMath::Vector3D<float> x = up.Cross(z).Normalized();
    // x and z are unit and orthogonal, so y is left as the cross product gives it.
    VMath::Vector3D<float> y = -x.Cross(z);

    VMath::Matrix4x4 translation(1, 0, 0, 0,
                                 0, 1, 0, 0,
                                 0, 0, 1, 0,
                                 -eye.x, -eye.y, -eye.z, 1);
    VMath::Matrix4x4 basis(x.x, y.x, z.x, 0,
                           x.y, y.y, z.y, 0,
                           x.z, y.z, z.z, 0,
                           0, 0, 0, 1);
    return translation * basis;
}

// The horizontal scale is 1/aspect whatever fovY is; it matches the usual
// cot(fovY/2)/aspect only at fovY = pi/2, which every camera uses.
VMath::Matrix4x4 Perspective(float fovY, float aspect, float zNear, float zFar) {
    float xScale = 1.0f / aspect;
    float yScale = static_cast<float>(1.0 / std::tan(static_cast<double>(fovY) * 0.5));
    float q = zFar / (zFar - zNear);
    return VMath::Matrix4x4(xScale, 0, 0, 0,
                            0, yScale, 0, 0,
                            0, 0, q, 1,
                            0, 0, -q * zNear, 0);
}

}  // namespace VRK
