// ID3D10DepthStencilState: a checked description; the device turns it into
// GL state when a draw needs it.
#pragma once

#include "DeviceChild.h"

namespace d3d10 {

class DepthStencilState final : public DeviceChild<ID3D10DepthStencilState> {
public:
    static HRESULT Create(Device* device, const D3D10_DEPTH_STENCIL_DESC* desc, DepthStencilState** state);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetDesc(D3D10_DEPTH_STENCIL_DESC* desc) override;

    const D3D10_DEPTH_STENCIL_DESC& Desc() const { return desc_; }

private:
    DepthStencilState(Device* device, const D3D10_DEPTH_STENCIL_DESC& desc) : DeviceChild(device), desc_(desc) {}

    D3D10_DEPTH_STENCIL_DESC desc_;
};

}  // namespace d3d10
