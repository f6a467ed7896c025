// ID3D10Texture2D: immutable GL texture storage, multisampled when the
// description asks for more than one sample.
#pragma once

#include "DeviceChild.h"
#include "GlFormats.h"

namespace d3d10 {

class Texture2D final : public DeviceChild<ID3D10Texture2D> {
public:
    static HRESULT Create(Device* device, const D3D10_TEXTURE2D_DESC* desc,
                          const D3D10_SUBRESOURCE_DATA* initialData, Texture2D** texture);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    void GetDesc(D3D10_TEXTURE2D_DESC* desc) override;

    // The texture behind a resource pointer, or null when it is not one.
    static Texture2D* From(ID3D10Resource* resource);

    GLuint Name() const { return name_; }
    UINT Samples() const { return samples_; }
    UINT MipLevels() const { return desc_.MipLevels; }
    UINT Width() const { return desc_.Width; }
    UINT Height() const { return desc_.Height; }
    const FormatInfo& Format() const { return *format_; }
    const D3D10_TEXTURE2D_DESC& Desc() const { return desc_; }

private:
    Texture2D(Device* device, const D3D10_TEXTURE2D_DESC& desc, const FormatInfo* format, UINT samples);
    ~Texture2D() override;

    D3D10_TEXTURE2D_DESC desc_;  // MipLevels resolved from 0 to the full chain
    const FormatInfo* format_;
    UINT samples_;
    GLuint name_ = 0;
};

}  // namespace d3d10
