// The hexagon field's cells as the Conformity scene builds them: 40 rows of
// 40 six-sided spindles of nine rings with smooth normals, each cell about
// the origin with its centre as attribute A, 36 bytes a vertex.
#pragma once

#include "spindlemesh.h"

#include <cmath>

namespace bench {

const unsigned kFieldCells = 1600;
const unsigned kFieldStride = 36;

inline unsigned CellVertexCount() { return VRK::SpindleMesh::VertexCount(6, 4, 0, 0); }

// Full width at the middle ring, narrowing to cos(pi/4) at both ends.
inline VMath::Vector3D<float> CellRadius(float t) {
    const float c = std::cos(static_cast<float>(static_cast<double>(t) * static_cast<double>(0.78539819f)));
    return VMath::Vector3D<float>(c, 1.0f, c);
}

// Writes kFieldCells * CellVertexCount() vertices from out on.
inline void BuildHexFieldCells(void* out) {
    unsigned char* cell = static_cast<unsigned char*>(out);
    for (int i = 0; i < 40; ++i) {
        for (int j = -20; j < 20; ++j) {
            VRK::SpindleDesc desc = {};
            desc.output = cell;
            desc.slices = 6;
            desc.halfRings = 4;
            desc.smoothNormals = 1;
            desc.radiusProfile = &CellRadius;
            desc.attributeA = VMath::Vector3D<float>(j + 0.5f * (i % 2), 0.0f, static_cast<float>(i - 20));
            desc.flags = 5;
            desc.texcoordScale = 0.1f;
            desc.size = VMath::Vector3D<float>(0.58f, 0.2f, 0.58f);
            VRK::SpindleMesh builder(desc);
            cell += kFieldStride * CellVertexCount();
        }
    }
}

}  // namespace bench
