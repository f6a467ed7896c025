// A vertex buffer filled once at creation, with the input layout that feeds
// it to one effect pass, bound to the input assembler in one call.
#pragma once

#include <d3d10.h>

namespace VRK {

class Mesh {
public:
    Mesh(const D3D10_INPUT_ELEMENT_DESC* elements, unsigned elementCount, const D3D10_PASS_DESC& passDesc,
         const void* vertices, unsigned stride, unsigned vertexCount, D3D10_PRIMITIVE_TOPOLOGY topology);
    ~Mesh();

    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    void Bind();

private:
    ID3D10InputLayout* layout_;
    ID3D10Buffer* vertexBuffer_;
    D3D10_PRIMITIVE_TOPOLOGY topology_;
    unsigned stride_;
};

}  // namespace VRK
