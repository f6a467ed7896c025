#include "ShaderResourceView.h"

#include "DebugLayer.h"

namespace d3d10 {

HRESULT ShaderResourceView::Create(Device* device, ID3D10Resource* resource,
                                   const D3D10_SHADER_RESOURCE_VIEW_DESC* desc, ShaderResourceView** view) {
    if (!view) return E_INVALIDARG;
    *view = nullptr;
    Texture2D* texture = Texture2D::From(resource);
    if (!texture) {
        DebugMessage("CreateShaderResourceView: the resource is not a 2D texture");
        return E_INVALIDARG;
    }
    if (!(texture->Desc().BindFlags & D3D10_BIND_SHADER_RESOURCE)) {
        DebugMessage("CreateShaderResourceView: the texture was not created with D3D10_BIND_SHADER_RESOURCE");
        return E_INVALIDARG;
    }
    if (texture->Samples() > 1 || texture->Format().isDepth) {
        DebugMessage("CreateShaderResourceView: multisampled and depth textures cannot be sampled here");
        return E_INVALIDARG;
    }
    D3D10_SHADER_RESOURCE_VIEW_DESC d{};
    d.ViewDimension = D3D10_SRV_DIMENSION_TEXTURE2D;
    d.Texture2D.MostDetailedMip = 0;
    d.Texture2D.MipLevels = texture->MipLevels();
    if (desc) {
        if (desc->Format != DXGI_FORMAT_UNKNOWN && desc->Format != texture->Desc().Format) {
            DebugMessage("CreateShaderResourceView: view format %d differs from the texture's %d",
                         static_cast<int>(desc->Format), static_cast<int>(texture->Desc().Format));
            return E_INVALIDARG;
        }
        if (desc->ViewDimension != D3D10_SRV_DIMENSION_TEXTURE2D) {
            DebugMessage("CreateShaderResourceView: view dimension %d is not supported",
                         static_cast<int>(desc->ViewDimension));
            return E_INVALIDARG;
        }
        UINT first = desc->Texture2D.MostDetailedMip;
        UINT count = desc->Texture2D.MipLevels == UINT(-1) ? texture->MipLevels() - first : desc->Texture2D.MipLevels;
        if (first >= texture->MipLevels() || count == 0 || count > texture->MipLevels() - first) {
            DebugMessage("CreateShaderResourceView: mip levels %u..%u of a texture with %u", first, first + count,
                         texture->MipLevels());
            return E_INVALIDARG;
        }
        d.Texture2D.MostDetailedMip = first;
        d.Texture2D.MipLevels = count;
    }
    d.Format = texture->Desc().Format;
    if (!device->Activate()) return E_FAIL;
    ShaderResourceView* created = new ShaderResourceView(device, texture, d);
    if (d.Texture2D.MostDetailedMip != 0 || d.Texture2D.MipLevels != texture->MipLevels()) {
        glGenTextures(1, &created->viewName_);
        glTextureView(created->viewName_, GL_TEXTURE_2D, texture->Name(), texture->Format().internalFormat,
                      d.Texture2D.MostDetailedMip, d.Texture2D.MipLevels, 0, 1);
    }
    *view = created;
    return S_OK;
}

ShaderResourceView::ShaderResourceView(Device* device, Texture2D* texture, const D3D10_SHADER_RESOURCE_VIEW_DESC& desc)
    : DeviceChild(device), texture_(texture), desc_(desc) {}

ShaderResourceView::~ShaderResourceView() {
    if (viewName_ && device_->Activate()) glDeleteTextures(1, &viewName_);
}

HRESULT ShaderResourceView::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

void ShaderResourceView::GetResource(ID3D10Resource** resource) {
    if (!resource) return;
    texture_->AddRef();
    *resource = texture_.Get();
}

void ShaderResourceView::GetDesc(D3D10_SHADER_RESOURCE_VIEW_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
