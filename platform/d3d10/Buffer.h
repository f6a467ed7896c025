// ID3D10Buffer: immutable GL buffer storage, filled once at creation.
#pragma once

#include <epoxy/gl.h>

#include <memory>
#include <utility>
#include <vector>

#include "DeviceChild.h"
#include "VertexReuseIndex.h"

namespace d3d10 {

class Buffer final : public DeviceChild<ID3D10Buffer> {
public:
    static HRESULT Create(Device* device, const D3D10_BUFFER_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                          Buffer** buffer);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetDesc(D3D10_BUFFER_DESC* desc) override;

    GLuint Name() const { return name_; }
    // The index over its distinct records at this stride; null where it is
    // drawn plainly.
    const VertexReuseIndex* ReuseIndex(UINT stride) const;

private:
    Buffer(Device* device, const D3D10_BUFFER_DESC& desc);
    ~Buffer() override;

    D3D10_BUFFER_DESC desc_;
    GLuint name_ = 0;
    std::vector<std::pair<UINT, std::unique_ptr<VertexReuseIndex>>> reuse_;
};

}  // namespace d3d10
