// ID3D10BlendState: a checked description; the device turns it into GL
// state when a draw needs it.
#pragma once

#include "DeviceChild.h"

namespace d3d10 {

class BlendState final : public DeviceChild<ID3D10BlendState> {
public:
    static HRESULT Create(Device* device, const D3D10_BLEND_DESC* desc, BlendState** state);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetDesc(D3D10_BLEND_DESC* desc) override;

    const D3D10_BLEND_DESC& Desc() const { return desc_; }

private:
    BlendState(Device* device, const D3D10_BLEND_DESC& desc) : DeviceChild(device), desc_(desc) {}

    D3D10_BLEND_DESC desc_;
};

}  // namespace d3d10
