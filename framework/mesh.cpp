#include "mesh.h"

#include "framework.h"
#include "globals.h"

namespace VRK {

Mesh::Mesh(const D3D10_INPUT_ELEMENT_DESC* elements, unsigned elementCount, const D3D10_PASS_DESC& passDesc,
           const void* vertices, unsigned stride, unsigned vertexCount, D3D10_PRIMITIVE_TOPOLOGY topology)
    : layout_(nullptr), vertexBuffer_(nullptr), topology_(topology), stride_(stride) {
    CheckResult(device->CreateInputLayout(elements, elementCount, passDesc.pIAInputSignature,
                                          passDesc.IAInputSignatureSize, &layout_));

    D3D10_BUFFER_DESC bufferDesc = {};
    bufferDesc.ByteWidth = stride * vertexCount;
    bufferDesc.Usage = D3D10_USAGE_DEFAULT;
    bufferDesc.BindFlags = D3D10_BIND_VERTEX_BUFFER;
    bufferDesc.CPUAccessFlags = 0;
    bufferDesc.MiscFlags = 0;
    D3D10_SUBRESOURCE_DATA initialData = {};
    initialData.pSysMem = vertices;
    CheckResult(device->CreateBuffer(&bufferDesc, &initialData, &vertexBuffer_));
}

Mesh::~Mesh() {
    layout_->Release();
    vertexBuffer_->Release();
}

void Mesh::Bind() {
    device->IASetInputLayout(layout_);
    UINT offset = 0;
    device->IASetVertexBuffers(0, 1, &vertexBuffer_, &stride_, &offset);
    device->IASetPrimitiveTopology(topology_);
}

}  // namespace VRK
