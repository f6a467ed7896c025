#include "RenderTargetView.h"

#include "DebugLayer.h"

namespace d3d10 {

HRESULT RenderTargetView::Create(Device* device, ID3D10Resource* resource, const D3D10_RENDER_TARGET_VIEW_DESC* desc,
                                 RenderTargetView** view) {
    if (!view) return E_INVALIDARG;
    *view = nullptr;
    Texture2D* texture = Texture2D::From(resource);
    if (!texture) {
        DebugMessage("CreateRenderTargetView: the resource is not a 2D texture");
        return E_INVALIDARG;
    }
    if (!(texture->Desc().BindFlags & D3D10_BIND_RENDER_TARGET)) {
        DebugMessage("CreateRenderTargetView: the texture was not created with D3D10_BIND_RENDER_TARGET");
        return E_INVALIDARG;
    }
    D3D10_RENDER_TARGET_VIEW_DESC d{};
    UINT mipSlice = 0;
    if (desc) {
        d = *desc;
        if (d.Format != DXGI_FORMAT_UNKNOWN && d.Format != texture->Desc().Format) {
            DebugMessage("CreateRenderTargetView: view format %d differs from the texture's %d",
                         static_cast<int>(d.Format), static_cast<int>(texture->Desc().Format));
            return E_INVALIDARG;
        }
        if (d.ViewDimension == D3D10_RTV_DIMENSION_TEXTURE2D) {
            mipSlice = d.Texture2D.MipSlice;
            if (mipSlice >= texture->MipLevels() || texture->Samples() > 1) {
                DebugMessage("CreateRenderTargetView: mip slice %u of a texture with %u levels and %u samples",
                             mipSlice, texture->MipLevels(), texture->Samples());
                return E_INVALIDARG;
            }
        } else if (d.ViewDimension != D3D10_RTV_DIMENSION_TEXTURE2DMS) {
            DebugMessage("CreateRenderTargetView: view dimension %d is not supported",
                         static_cast<int>(d.ViewDimension));
            return E_INVALIDARG;
        }
    } else {
        d.ViewDimension = texture->Samples() > 1 ? D3D10_RTV_DIMENSION_TEXTURE2DMS : D3D10_RTV_DIMENSION_TEXTURE2D;
    }
    d.Format = texture->Desc().Format;
    *view = new RenderTargetView(device, texture, d, mipSlice);
    return S_OK;
}

RenderTargetView::RenderTargetView(Device* device, Texture2D* texture, const D3D10_RENDER_TARGET_VIEW_DESC& desc,
                                   UINT mipSlice)
    : DeviceChild(device), texture_(texture), desc_(desc), mipSlice_(mipSlice) {}

RenderTargetView::~RenderTargetView() { device_->ForgetView(this); }

HRESULT RenderTargetView::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

void RenderTargetView::GetResource(ID3D10Resource** resource) {
    if (!resource) return;
    texture_->AddRef();
    *resource = texture_.Get();
}

void RenderTargetView::GetDesc(D3D10_RENDER_TARGET_VIEW_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
