// The Growth scene's ground: a wide floor under a camera that circles the
// origin at radius 10 and height 10, a tenth of a turn over the scene.
#pragma once

#include "GrowthVertex.h"
#include "ground/Ground.h"

#include "framework.h"
#include "vector4d.h"

namespace VRK {

struct GrowthGroundTraits {
    typedef GrowthVertex Vertex;
    static constexpr VMath::Vector3D<float> GrowthVertex::*texcoord = &GrowthVertex::texcoord;
    static constexpr float halfWidth = 100.0f;
    static constexpr float halfDepth = 100.0f;
    static constexpr float textureWidth = 50.0f;
    static constexpr float textureDepth = 40.0f;
    // One turn in 80 seconds: the scene's eight seconds never reach the loop.
    static constexpr int period = 80000;
    static constexpr float from = 0.0f;
    static constexpr float to = 6.2831855f;

    // The eye is turned from its base on every frame, never accumulated.
    static void PlaceCamera(Camera& camera, const VMath::Vector3D<float>& eyeBase, float angle) {
        const VMath::Vector4D<float> eye = VMath::Vector4D<float>(eyeBase, 1.0f) * RotationY(angle);
        camera.eye = VMath::Vector3D<float>(eye.x, eye.y, eye.z);
    }
};

typedef Ground<GrowthGroundTraits> GrowthGround;

}  // namespace VRK
