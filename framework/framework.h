// The framework's chief header: the result check, effect loading and the
// matrix builders.
#pragma once

#include "matrix4x4.h"
#include "vector3d.h"

#include <d3d10.h>

#include <string>

namespace VRK {

// Returns only when result is zero; any other value ends the program by
// raising the int 1, which nothing catches.
void CheckResult(HRESULT result);

// Reads, compiles and creates an effect on the device. Never returns null.
ID3D10Effect* LoadEffect(const std::string& fileName);

VMath::Matrix4x4 RotationX(float angle);
VMath::Matrix4x4 RotationY(float angle);
VMath::Matrix4x4 RotationZ(float angle);
VMath::Matrix4x4 LookAt(const VMath::Vector3D<float>& eye, const VMath::Vector3D<float>& at,
                        const VMath::Vector3D<float>& up);
VMath::Matrix4x4 Perspective(float fovY, float aspect, float zNear, float zFar);

}  // namespace VRK
