// The input layout of the 36-byte vertex record that the Conformity and
// Growth scenes share in shape: position, normal and one texture coordinate
// of three floats each, in input slot 0.
#pragma once

#include <d3d10.h>

namespace VRK {

inline const D3D10_INPUT_ELEMENT_DESC positionNormalTexcoordElements[3] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
    {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
    {"TEXCOORD", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 24, D3D10_INPUT_PER_VERTEX_DATA, 0},
};

}  // namespace VRK
