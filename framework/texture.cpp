#include "texture.h"

#include "framework.h"
#include "globals.h"

#include <gdiplus.h>

#include <cassert>

namespace VRK {

Texture::Texture(unsigned width, unsigned height, TexturePurpose purpose)
    : width_(width),
      height_(height),
      purpose_(purpose),
      texture_(nullptr),
      targetView_(nullptr),
      sourceView_(nullptr),
      depthView_(nullptr) {
    D3D10_TEXTURE2D_DESC desc = {};
    desc.Width = width_;
    desc.Height = height_;
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = (purpose_ & TexturePurpose::Depth) ? DXGI_FORMAT_D32_FLOAT : DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc.Count = 1;
    desc.SampleDesc.Quality = 0;
    desc.Usage = D3D10_USAGE_DEFAULT;
    desc.BindFlags = ((purpose_ & TexturePurpose::Target) ? D3D10_BIND_RENDER_TARGET : 0) |
                     ((purpose_ & TexturePurpose::Source) ? D3D10_BIND_SHADER_RESOURCE : 0) |
                     ((purpose_ & TexturePurpose::Depth) ? D3D10_BIND_DEPTH_STENCIL : 0);
    desc.CPUAccessFlags = 0;
    desc.MiscFlags = 0;
    CheckResult(device->CreateTexture2D(&desc, nullptr, &texture_));

    if (purpose_ & TexturePurpose::Target)
        CheckResult(device->CreateRenderTargetView(texture_, nullptr, &targetView_));
    if (purpose_ & TexturePurpose::Source)
        CheckResult(device->CreateShaderResourceView(texture_, nullptr, &sourceView_));
    if (purpose_ & TexturePurpose::Depth) {
        D3D10_DEPTH_STENCIL_VIEW_DESC viewDesc = {};
        viewDesc.Format = DXGI_FORMAT_D32_FLOAT;
        viewDesc.ViewDimension = D3D10_DSV_DIMENSION_TEXTURE2D;
        viewDesc.Texture2D.MipSlice = 0;
        CheckResult(device->CreateDepthStencilView(texture_, &viewDesc, &depthView_));
    }
}

Texture::Texture(const wchar_t* imagePath, unsigned width, unsigned height)
    : width_(width),
      height_(height),
      purpose_(TexturePurpose::Source),
      texture_(nullptr),
      targetView_(nullptr),
      sourceView_(nullptr),
      depthView_(nullptr) {
    Gdiplus::Bitmap bitmap(imagePath, FALSE);

    // A pixel that cannot be read (a missing or broken file, or a texel
    // outside the image) stays opaque black.
    unsigned char* texels = new unsigned char[4 * width_ * height_];
    for (unsigned y = 0; y < height_; ++y) {
        for (unsigned x = 0; x < width_; ++x) {
            Gdiplus::ARGB argb = 0xFF000000u;
            Gdiplus::Color color;
            if (bitmap.GetPixel(static_cast<INT>(x), static_cast<INT>(y), &color) == Gdiplus::Ok)
                argb = color.GetValue();
            unsigned char* texel = texels + 4 * (y * width_ + x);
            texel[0] = static_cast<unsigned char>(argb >> 16);
            texel[1] = static_cast<unsigned char>(argb >> 8);
            texel[2] = static_cast<unsigned char>(argb);
            texel[3] = static_cast<unsigned char>(argb >> 24);
        }
    }

    D3D10_TEXTURE2D_DESC desc = {};
    desc.Width = width_;
    desc.Height = height_;
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc.Count = 1;
    desc.SampleDesc.Quality = 0;
    desc.Usage = D3D10_USAGE_DEFAULT;
    desc.BindFlags = D3D10_BIND_SHADER_RESOURCE;
    desc.CPUAccessFlags = 0;
    desc.MiscFlags = 0;
    D3D10_SUBRESOURCE_DATA initialData = {};
    initialData.pSysMem = texels;
    initialData.SysMemPitch = 4 * width_;
    initialData.SysMemSlicePitch = 4 * width_ * height_;
    CheckResult(device->CreateTexture2D(&desc, &initialData, &texture_));
    CheckResult(device->CreateShaderResourceView(texture_, nullptr, &sourceView_));

    // Nothing reads the texels once the texture holds them.
    delete[] texels;
}

Texture::~Texture() {
    texture_->Release();
    if (targetView_)
        targetView_->Release();
    if (sourceView_)
        sourceView_->Release();
    if (depthView_)
        depthView_->Release();
}

ID3D10RenderTargetView* Texture::GetTargetView() {
    assert(purpose_ & TexturePurpose::Target);
    return targetView_;
}

ID3D10ShaderResourceView* Texture::GetSourceView() {
    assert(purpose_ & TexturePurpose::Source);
    return sourceView_;
}

ID3D10DepthStencilView* Texture::GetDepthView() {
    assert(purpose_ & TexturePurpose::Depth);
    return depthView_;
}

}  // namespace VRK
