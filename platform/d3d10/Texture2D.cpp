#include "Texture2D.h"

#include "DebugLayer.h"

namespace d3d10 {

namespace {

constexpr UINT kMaxDimension = 8192;

UINT FullMipChain(UINT width, UINT height) {
    UINT levels = 1;
    while (width > 1 || height > 1) {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        ++levels;
    }
    return levels;
}

// The width or height of a mip level.
UINT MipExtent(UINT size, UINT level) { return size >> level ? size >> level : 1; }

}  // namespace

HRESULT Texture2D::Create(Device* device, const D3D10_TEXTURE2D_DESC* desc,
                          const D3D10_SUBRESOURCE_DATA* initialData, Texture2D** texture) {
    if (!desc || !texture) return E_INVALIDARG;
    *texture = nullptr;
    D3D10_TEXTURE2D_DESC d = *desc;
    const FormatInfo* format = FindFormat(d.Format);
    if (!format) {
        DebugMessage("CreateTexture2D: format %d is not supported", static_cast<int>(d.Format));
        return E_INVALIDARG;
    }
    if (d.Width == 0 || d.Height == 0 || d.Width > kMaxDimension || d.Height > kMaxDimension) {
        DebugMessage("CreateTexture2D: size %ux%u is out of range", d.Width, d.Height);
        return E_INVALIDARG;
    }
    if (d.ArraySize != 1) {
        DebugMessage("CreateTexture2D: only array size 1 is supported (got %u)", d.ArraySize);
        return E_INVALIDARG;
    }
    UINT fullChain = FullMipChain(d.Width, d.Height);
    if (d.MipLevels == 0) d.MipLevels = fullChain;
    if (d.MipLevels > fullChain) {
        DebugMessage("CreateTexture2D: %u mip levels for a %ux%u texture", d.MipLevels, d.Width, d.Height);
        return E_INVALIDARG;
    }
    if (d.SampleDesc.Count == 0 || (d.SampleDesc.Count > 1 && d.MipLevels != 1)) {
        DebugMessage("CreateTexture2D: sample count %u with %u mip levels", d.SampleDesc.Count, d.MipLevels);
        return E_INVALIDARG;
    }
    if (d.Usage != D3D10_USAGE_DEFAULT && d.Usage != D3D10_USAGE_IMMUTABLE) {
        DebugMessage("CreateTexture2D: only default and immutable usage are supported");
        return E_INVALIDARG;
    }
    const UINT allowed = D3D10_BIND_SHADER_RESOURCE | D3D10_BIND_RENDER_TARGET | D3D10_BIND_DEPTH_STENCIL;
    if (d.BindFlags & ~allowed) {
        DebugMessage("CreateTexture2D: bind flags 0x%x are not valid for a texture", d.BindFlags);
        return E_INVALIDARG;
    }
    if (format->isDepth ? (d.BindFlags & D3D10_BIND_RENDER_TARGET) != 0
                        : (d.BindFlags & D3D10_BIND_DEPTH_STENCIL) != 0) {
        DebugMessage("CreateTexture2D: bind flags 0x%x do not suit format %d", d.BindFlags,
                     static_cast<int>(d.Format));
        return E_INVALIDARG;
    }
    if (d.Usage == D3D10_USAGE_IMMUTABLE && !initialData) {
        DebugMessage("CreateTexture2D: an immutable texture needs initial data");
        return E_INVALIDARG;
    }
    if (initialData && (d.SampleDesc.Count > 1 || format->isDepth)) {
        DebugMessage("CreateTexture2D: initial data for a multisampled or depth texture");
        return E_INVALIDARG;
    }
    if (initialData) {
        for (UINT level = 0; level < d.MipLevels; ++level) {
            const D3D10_SUBRESOURCE_DATA& data = initialData[level];
            if (!data.pSysMem || data.SysMemPitch < MipExtent(d.Width, level) * format->bytesPerTexel ||
                data.SysMemPitch % format->bytesPerTexel != 0) {
                DebugMessage("CreateTexture2D: initial data of mip level %u has row pitch %u", level,
                             data.SysMemPitch);
                return E_INVALIDARG;
            }
        }
    }

    if (!device->Activate()) return E_FAIL;
    UINT samples = d.SampleDesc.Count > 1 ? device->EffectiveSampleCount(d.SampleDesc.Count) : 1;
    Texture2D* created = new Texture2D(device, d, format, samples);
    if (samples > 1) {
        glCreateTextures(GL_TEXTURE_2D_MULTISAMPLE, 1, &created->name_);
        glTextureStorage2DMultisample(created->name_, static_cast<GLsizei>(samples), format->internalFormat,
                                      static_cast<GLsizei>(d.Width), static_cast<GLsizei>(d.Height), GL_TRUE);
    } else {
        glCreateTextures(GL_TEXTURE_2D, 1, &created->name_);
        glTextureStorage2D(created->name_, static_cast<GLsizei>(d.MipLevels), format->internalFormat,
                           static_cast<GLsizei>(d.Width), static_cast<GLsizei>(d.Height));
        glTextureParameteri(created->name_, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(d.MipLevels - 1));
    }
    if (initialData) {
        // Rows go up top row first: with the upper-left origin row 0 is both
        // the top of a render target and texture coordinate v = 0.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (UINT level = 0; level < d.MipLevels; ++level) {
            const D3D10_SUBRESOURCE_DATA& data = initialData[level];
            glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(data.SysMemPitch / format->bytesPerTexel));
            glTextureSubImage2D(created->name_, static_cast<GLint>(level), 0, 0,
                                static_cast<GLsizei>(MipExtent(d.Width, level)),
                                static_cast<GLsizei>(MipExtent(d.Height, level)), format->pixelFormat,
                                format->pixelType, data.pSysMem);
        }
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    *texture = created;
    return S_OK;
}

Texture2D::Texture2D(Device* device, const D3D10_TEXTURE2D_DESC& desc, const FormatInfo* format, UINT samples)
    : DeviceChild(device), desc_(desc), format_(format), samples_(samples) {}

Texture2D::~Texture2D() {
    if (device_->Activate()) glDeleteTextures(1, &name_);
}

HRESULT Texture2D::QueryInterface(REFIID riid, void** object) {
    return Answer(riid, object,
                  {{&IID_ID3D10Texture2D, static_cast<ID3D10Texture2D*>(this)},
                   {&IID_ID3D10Resource, static_cast<ID3D10Resource*>(this)}});
}

void Texture2D::GetDesc(D3D10_TEXTURE2D_DESC* desc) {
    if (desc) *desc = desc_;
}

Texture2D* Texture2D::From(ID3D10Resource* resource) {
    if (!resource) return nullptr;
    void* object = nullptr;
    if (FAILED(resource->QueryInterface(IID_ID3D10Texture2D, &object))) return nullptr;
    Texture2D* texture = static_cast<Texture2D*>(static_cast<ID3D10Texture2D*>(object));
    texture->Release();
    return texture;
}

}  // namespace d3d10
