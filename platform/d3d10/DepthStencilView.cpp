#include "DepthStencilView.h"

#include "DebugLayer.h"

namespace d3d10 {

HRESULT DepthStencilView::Create(Device* device, ID3D10Resource* resource, const D3D10_DEPTH_STENCIL_VIEW_DESC* desc,
                                 DepthStencilView** view) {
    if (!view) return E_INVALIDARG;
    *view = nullptr;
    Texture2D* texture = Texture2D::From(resource);
    if (!texture) {
        DebugMessage("CreateDepthStencilView: the resource is not a 2D texture");
        return E_INVALIDARG;
    }
    if (!(texture->Desc().BindFlags & D3D10_BIND_DEPTH_STENCIL) || !texture->Format().isDepth) {
        DebugMessage("CreateDepthStencilView: the texture was not created as a depth buffer");
        return E_INVALIDARG;
    }
    D3D10_DEPTH_STENCIL_VIEW_DESC d{};
    UINT mipSlice = 0;
    if (desc) {
        d = *desc;
        if (d.Format != DXGI_FORMAT_UNKNOWN && d.Format != texture->Desc().Format) {
            DebugMessage("CreateDepthStencilView: view format %d differs from the texture's %d",
                         static_cast<int>(d.Format), static_cast<int>(texture->Desc().Format));
            return E_INVALIDARG;
        }
        if (d.ViewDimension == D3D10_DSV_DIMENSION_TEXTURE2D) {
            mipSlice = d.Texture2D.MipSlice;
            if (mipSlice >= texture->MipLevels() || texture->Samples() > 1) {
                DebugMessage("CreateDepthStencilView: mip slice %u of a texture with %u levels and %u samples",
                             mipSlice, texture->MipLevels(), texture->Samples());
                return E_INVALIDARG;
            }
        } else if (d.ViewDimension == D3D10_DSV_DIMENSION_TEXTURE2DMS) {
            // Over a single-sample texture the multisampled dimension is taken
            // as its only level: the windowed program creates its view that way.
        } else {
            DebugMessage("CreateDepthStencilView: view dimension %d is not supported",
                         static_cast<int>(d.ViewDimension));
            return E_INVALIDARG;
        }
    } else {
        d.ViewDimension = texture->Samples() > 1 ? D3D10_DSV_DIMENSION_TEXTURE2DMS : D3D10_DSV_DIMENSION_TEXTURE2D;
    }
    d.Format = texture->Desc().Format;
    *view = new DepthStencilView(device, texture, d, mipSlice);
    return S_OK;
}

DepthStencilView::DepthStencilView(Device* device, Texture2D* texture, const D3D10_DEPTH_STENCIL_VIEW_DESC& desc,
                                   UINT mipSlice)
    : DeviceChild(device), texture_(texture), desc_(desc), mipSlice_(mipSlice) {}

DepthStencilView::~DepthStencilView() { device_->ForgetView(this); }

HRESULT DepthStencilView::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

void DepthStencilView::GetResource(ID3D10Resource** resource) {
    if (!resource) return;
    texture_->AddRef();
    *resource = texture_.Get();
}

void DepthStencilView::GetDesc(D3D10_DEPTH_STENCIL_VIEW_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
