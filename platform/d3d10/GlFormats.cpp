#include "GlFormats.h"

namespace d3d10 {

const FormatInfo* FindFormat(DXGI_FORMAT format) {
    static const FormatInfo rgba32f{GL_RGBA32F, GL_RGBA, GL_FLOAT, 16, false, 4, GL_FLOAT, GL_FALSE};
    static const FormatInfo rgb32f{GL_RGB32F, GL_RGB, GL_FLOAT, 12, false, 3, GL_FLOAT, GL_FALSE};
    static const FormatInfo rg32f{GL_RG32F, GL_RG, GL_FLOAT, 8, false, 2, GL_FLOAT, GL_FALSE};
    static const FormatInfo r32f{GL_R32F, GL_RED, GL_FLOAT, 4, false, 1, GL_FLOAT, GL_FALSE};
    static const FormatInfo rgba8{GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, 4, false, 4, GL_UNSIGNED_BYTE, GL_TRUE};
    static const FormatInfo d32f{GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT, 4, true, 0, GL_NONE, GL_FALSE};
    switch (format) {
        case DXGI_FORMAT_R32G32B32A32_FLOAT: return &rgba32f;
        case DXGI_FORMAT_R32G32B32_FLOAT: return &rgb32f;
        case DXGI_FORMAT_R32G32_FLOAT: return &rg32f;
        case DXGI_FORMAT_R32_FLOAT: return &r32f;
        case DXGI_FORMAT_R8G8B8A8_UNORM: return &rgba8;
        case DXGI_FORMAT_D32_FLOAT: return &d32f;
        default: return nullptr;
    }
}

}  // namespace d3d10
