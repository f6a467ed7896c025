// ID3D10DepthStencilView: one mip level of a depth texture.
#pragma once

#include "DeviceChild.h"
#include "Texture2D.h"

namespace d3d10 {

class DepthStencilView final : public DeviceChild<ID3D10DepthStencilView> {
public:
    static HRESULT Create(Device* device, ID3D10Resource* resource, const D3D10_DEPTH_STENCIL_VIEW_DESC* desc,
                          DepthStencilView** view);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetResource(ID3D10Resource** resource) override;
    void GetDesc(D3D10_DEPTH_STENCIL_VIEW_DESC* desc) override;

    Texture2D& Texture() const { return *texture_.Get(); }
    UINT MipSlice() const { return mipSlice_; }

private:
    DepthStencilView(Device* device, Texture2D* texture, const D3D10_DEPTH_STENCIL_VIEW_DESC& desc, UINT mipSlice);
    ~DepthStencilView() override;

    Ref<Texture2D> texture_;
    D3D10_DEPTH_STENCIL_VIEW_DESC desc_;
    UINT mipSlice_;
};

}  // namespace d3d10
