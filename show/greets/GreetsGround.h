// The Greets scene's ground: a long floor under a camera that slides along x,
// its look-at point from -40 to 120 over the scene's twenty seconds.
#pragma once

#include "GreetsVertex.h"
#include "ground/Ground.h"

namespace VRK {

struct GreetsGroundTraits {
    typedef GreetsVertex Vertex;
    static constexpr VMath::Vector3D<float> GreetsVertex::*texcoord = &GreetsVertex::texcoord0;
    static constexpr float halfWidth = 300.0f;
    static constexpr float halfDepth = 100.0f;
    static constexpr float textureWidth = 150.0f;
    static constexpr float textureDepth = 40.0f;
    // Exactly the scene's window: the loop's restart is never reached.
    static constexpr int period = 20000;
    static constexpr float from = -40.0f;
    static constexpr float to = 120.0f;

    // The orbit's base eye is not used: the eye keeps its place relative to
    // the look-at point.
    static void PlaceCamera(Camera& camera, const VMath::Vector3D<float>&, float x) {
        camera.eye = VMath::Vector3D<float>(static_cast<float>(static_cast<double>(x) - 4.0), 15.0f, -20.0f);
        camera.at = VMath::Vector3D<float>(x, 0.0f, 0.0f);
    }
};

typedef Ground<GreetsGroundTraits> GreetsGround;

}  // namespace VRK
