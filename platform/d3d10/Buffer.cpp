#include "Buffer.h"

#include "DebugLayer.h"

namespace d3d10 {

HRESULT Buffer::Create(Device* device, const D3D10_BUFFER_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                       Buffer** buffer) {
    if (!desc || !buffer) return E_INVALIDARG;
    *buffer = nullptr;
    if (desc->ByteWidth == 0) {
        DebugMessage("CreateBuffer: ByteWidth is 0");
        return E_INVALIDARG;
    }
    if (desc->BindFlags != D3D10_BIND_VERTEX_BUFFER) {
        DebugMessage("CreateBuffer: only vertex buffers are supported (bind flags 0x%x)", desc->BindFlags);
        return E_INVALIDARG;
    }
    if (desc->Usage != D3D10_USAGE_DEFAULT && desc->Usage != D3D10_USAGE_IMMUTABLE) {
        DebugMessage("CreateBuffer: only default and immutable usage are supported");
        return E_INVALIDARG;
    }
    if (desc->CPUAccessFlags != 0) {
        DebugMessage("CreateBuffer: CPU access is not supported");
        return E_INVALIDARG;
    }
    if ((initialData && !initialData->pSysMem) || (desc->Usage == D3D10_USAGE_IMMUTABLE && !initialData)) {
        DebugMessage("CreateBuffer: missing initial data");
        return E_INVALIDARG;
    }
    if (!device->Activate()) return E_FAIL;
    Buffer* created = new Buffer(device, *desc);
    glCreateBuffers(1, &created->name_);
    // Nothing writes a vertex buffer after creation, so its storage is immutable.
    glNamedBufferStorage(created->name_, desc->ByteWidth, initialData ? initialData->pSysMem : nullptr, 0);
    // The contents are final (no call of the layer writes a buffer): index
    // them now, while they are at hand, at each stride a live layout
    // suggests, rather than stall the frame that first draws them.
    if (initialData && VertexReuseIndex::Enabled())
        for (UINT stride : device->LayoutRecordSizes())
            if (auto index = VertexReuseIndex::Build(initialData->pSysMem, desc->ByteWidth, stride))
                created->reuse_.emplace_back(stride, std::move(index));
    *buffer = created;
    return S_OK;
}

Buffer::Buffer(Device* device, const D3D10_BUFFER_DESC& desc) : DeviceChild(device), desc_(desc) {}

Buffer::~Buffer() {
    if (!device_->Activate()) return;
    glDeleteBuffers(1, &name_);
    for (const auto& entry : reuse_) {
        const GLuint index = entry.second->Name();
        glDeleteBuffers(1, &index);
    }
}

const VertexReuseIndex* Buffer::ReuseIndex(UINT stride) const {
    for (const auto& entry : reuse_)
        if (entry.first == stride) return entry.second.get();
    return nullptr;
}

HRESULT Buffer::QueryInterface(REFIID riid, void** object) {
    return Answer(riid, object,
                  {{&IID_ID3D10Buffer, static_cast<ID3D10Buffer*>(this)},
                   {&IID_ID3D10Resource, static_cast<ID3D10Resource*>(this)}});
}

void Buffer::GetDesc(D3D10_BUFFER_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
