// A two-dimensional texture with the views the program uses it through:
// empty, for rendering into, sampling from or depth testing, or filled from
// an image file for sampling.
#pragma once

#include <d3d10.h>

namespace VRK {

enum class TexturePurpose : unsigned {
    Target = 1,
    Source = 2,
    Depth = 4,
};

inline TexturePurpose operator|(TexturePurpose a, TexturePurpose b) {
    return static_cast<TexturePurpose>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

inline bool operator&(TexturePurpose a, TexturePurpose b) {
    return (static_cast<unsigned>(a) & static_cast<unsigned>(b)) != 0;
}

class Texture {
public:
    Texture(unsigned width, unsigned height, TexturePurpose purpose);
    // The size is the caller's: the image's own size is never asked for.
    Texture(const wchar_t* imagePath, unsigned width, unsigned height);
    ~Texture();

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    ID3D10RenderTargetView* GetTargetView();
    ID3D10ShaderResourceView* GetSourceView();
    ID3D10DepthStencilView* GetDepthView();

private:
    unsigned width_;
    unsigned height_;
    TexturePurpose purpose_;
    ID3D10Texture2D* texture_;
    ID3D10RenderTargetView* targetView_;
    ID3D10ShaderResourceView* sourceView_;
    ID3D10DepthStencilView* depthView_;
};

}  // namespace VRK
