// The vertex record of the Growth scene's shared array: 36 bytes, no padding.
#pragma once

#include "vector3d.h"

namespace VRK {

struct GrowthVertex {
    VMath::Vector3D<float> position;
    // Zero where a part writes none.
    VMath::Vector3D<float> normal;
    // Three free values: texture coordinates, or a cluster's centre.
    VMath::Vector3D<float> texcoord;
};
static_assert(sizeof(GrowthVertex) == 36, "the Growth vertex is 36 bytes");

}  // namespace VRK
