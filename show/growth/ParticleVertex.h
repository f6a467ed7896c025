// The vertex of the Growth particles, 48 bytes: a corner of a flat quad about
// its own centre, and where the effect is to carry that quad.
#pragma once

#include "vector3d.h"

namespace VRK {

struct ParticleVertex {
    // Corner offset in the quad's own plane (x, y, 0).
    VMath::Vector3D<float> position;
    // (u, v, the particle's phase).
    VMath::Vector3D<float> texcoord0;
    // The lower point of the particle's path.
    VMath::Vector3D<float> texcoord1;
    // The upper point of the particle's path.
    VMath::Vector3D<float> texcoord2;
};
static_assert(sizeof(ParticleVertex) == 48, "the particle vertex is 48 bytes");

}  // namespace VRK
