// ID3D10ShaderResourceView: a texture, or a GL texture view of some of its
// mip levels, to sample from.
#pragma once

#include "DeviceChild.h"
#include "Texture2D.h"

namespace d3d10 {

class ShaderResourceView final : public DeviceChild<ID3D10ShaderResourceView> {
public:
    static HRESULT Create(Device* device, ID3D10Resource* resource, const D3D10_SHADER_RESOURCE_VIEW_DESC* desc,
                          ShaderResourceView** view);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetResource(ID3D10Resource** resource) override;
    void GetDesc(D3D10_SHADER_RESOURCE_VIEW_DESC* desc) override;

    // The GL texture to bind to a unit.
    GLuint Name() const { return viewName_ ? viewName_ : texture_->Name(); }

private:
    ShaderResourceView(Device* device, Texture2D* texture, const D3D10_SHADER_RESOURCE_VIEW_DESC& desc);
    ~ShaderResourceView() override;

    Ref<Texture2D> texture_;
    D3D10_SHADER_RESOURCE_VIEW_DESC desc_;
    GLuint viewName_ = 0;  // a texture view when only some levels are seen
};

}  // namespace d3d10
