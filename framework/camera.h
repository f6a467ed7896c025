// The parameters of one perspective view, turned into matrices on demand.
#pragma once

#include "matrix4x4.h"
#include "vector3d.h"

namespace VRK {

class Camera {
public:
    Camera();
    ~Camera();

    // Both computed afresh from the fields on every call.
    VMath::Matrix4x4 ViewMatrix() const;
    VMath::Matrix4x4 ProjectionMatrix() const;

    VMath::Vector3D<float> eye;
    VMath::Vector3D<float> at;
    VMath::Vector3D<float> up;
    float fovY;
    float aspect;
    float zNear;
    float zFar;
};

}  // namespace VRK
