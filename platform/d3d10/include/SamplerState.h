// ID3D10SamplerState: a GL sampler object made from a checked description.
#pragma once

#include <epoxy/gl.h>

#include "DeviceChild.h"

namespace d3d10 {

class SamplerState final : public DeviceChild<ID3D10SamplerState> {
public:
    static HRESULT Create(Device* device, const D3D10_SAMPLER_DESC* desc, SamplerState** state);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetDesc(D3D10_SAMPLER_DESC* desc) override;

    GLuint Name() const { return name_; }

private:
    SamplerState(Device* device, const D3D10_SAMPLER_DESC& desc) : DeviceChild(device), desc_(desc) {}
    ~SamplerState() override;

    D3D10_SAMPLER_DESC desc_;
    GLuint name_ = 0;
};

}  // namespace d3d10
