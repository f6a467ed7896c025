// The vertex record of the Greets scene's shared array: 60 bytes, five
// vectors, written by the ground and the letters.
#pragma once

#include "vector3d.h"

namespace VRK {

struct GreetsVertex {
    VMath::Vector3D<float> position;
    VMath::Vector3D<float> normal;
    VMath::Vector3D<float> texcoord0;
    VMath::Vector3D<float> texcoord1;
    VMath::Vector3D<float> texcoord2;
};
static_assert(sizeof(GreetsVertex) == 60, "the Greets vertex is 60 bytes");

}  // namespace VRK
