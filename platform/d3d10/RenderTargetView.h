// ID3D10RenderTargetView: one mip level of a texture, attached to
// framebuffers by the device.
#pragma once

#include "DeviceChild.h"
#include "Texture2D.h"

namespace d3d10 {

class RenderTargetView final : public DeviceChild<ID3D10RenderTargetView> {
public:
    static HRESULT Create(Device* device, ID3D10Resource* resource, const D3D10_RENDER_TARGET_VIEW_DESC* desc,
                          RenderTargetView** view);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetResource(ID3D10Resource** resource) override;
    void GetDesc(D3D10_RENDER_TARGET_VIEW_DESC* desc) override;

    Texture2D& Texture() const { return *texture_.Get(); }
    UINT MipSlice() const { return mipSlice_; }

private:
    RenderTargetView(Device* device, Texture2D* texture, const D3D10_RENDER_TARGET_VIEW_DESC& desc, UINT mipSlice);
    ~RenderTargetView() override;

    Ref<Texture2D> texture_;
    D3D10_RENDER_TARGET_VIEW_DESC desc_;
    UINT mipSlice_;
};

}  // namespace d3d10
