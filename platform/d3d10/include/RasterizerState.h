// ID3D10RasterizerState: a checked description; the device turns it into GL
// state when a draw needs it.
#pragma once

#include "DeviceChild.h"

namespace d3d10 {

class RasterizerState final : public DeviceChild<ID3D10RasterizerState> {
public:
    static HRESULT Create(Device* device, const D3D10_RASTERIZER_DESC* desc, RasterizerState** state);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetDesc(D3D10_RASTERIZER_DESC* desc) override;

    const D3D10_RASTERIZER_DESC& Desc() const { return desc_; }

private:
    RasterizerState(Device* device, const D3D10_RASTERIZER_DESC& desc) : DeviceChild(device), desc_(desc) {}

    D3D10_RASTERIZER_DESC desc_;
};

}  // namespace d3d10
