// The End scene draws two quads over the whole of clip space, the halo's and
// the composite's, from two vertex records of one 20-byte layout.
#pragma once

#include "WriteQuad.h"
#include "framework.h"
#include "mesh.h"
#include "vector2d.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

// Corners A, B, C, D clockwise from the top left; texture coordinate (0, 0)
// is at the top left and v grows downwards.
template <typename Vertex>
void WriteScreenQuad(Vertex* out) {
    Vertex a, b, c, d;
    a.position = VMath::Vector3D<float>(-1.0f, 1.0f, 0.0f);
    a.texcoord = VMath::Vector2D<float>(0.0f, 0.0f);
    b.position = VMath::Vector3D<float>(1.0f, 1.0f, 0.0f);
    b.texcoord = VMath::Vector2D<float>(1.0f, 0.0f);
    c.position = VMath::Vector3D<float>(1.0f, -1.0f, 0.0f);
    c.texcoord = VMath::Vector2D<float>(1.0f, 1.0f);
    d.position = VMath::Vector3D<float>(-1.0f, -1.0f, 0.0f);
    d.texcoord = VMath::Vector2D<float>(0.0f, 1.0f);
    WriteQuad(out, a, b, c, d);
}

// The six vertices as a mesh whose layout is built against the given pass.
template <typename Vertex>
Mesh* MakeScreenQuadMesh(ID3D10EffectTechnique* technique, unsigned pass, const Vertex* quad) {
    static_assert(sizeof(Vertex) == 20, "a position and a texture coordinate, no padding");
    const D3D10_INPUT_ELEMENT_DESC elements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    D3D10_PASS_DESC passDesc;
    CheckResult(technique->GetPassByIndex(pass)->GetDesc(&passDesc));
    return new Mesh(elements, 2, passDesc, quad, sizeof(Vertex), 6, D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

}  // namespace VRK
