// Direct3D 10's default state descriptions: what a device applies when a
// stage holds no state object, and what an effect file's state objects start
// from. Header-only, so that the effect compiler can use them without a
// graphics context.
#pragma once

#include <d3d10.h>

#include <cfloat>

namespace d3d10 {

// Trilinear, clamped on every axis.
inline D3D10_SAMPLER_DESC DefaultSamplerDesc() {
    D3D10_SAMPLER_DESC desc{};
    desc.Filter = D3D10_FILTER_MIN_MAG_MIP_LINEAR;
    desc.AddressU = D3D10_TEXTURE_ADDRESS_CLAMP;
    desc.AddressV = D3D10_TEXTURE_ADDRESS_CLAMP;
    desc.AddressW = D3D10_TEXTURE_ADDRESS_CLAMP;
    desc.MaxAnisotropy = 16;
    desc.ComparisonFunc = D3D10_COMPARISON_NEVER;
    desc.MinLOD = -FLT_MAX;
    desc.MaxLOD = FLT_MAX;
    return desc;
}

inline D3D10_BLEND_DESC DefaultBlendDesc() {
    D3D10_BLEND_DESC desc{};
    desc.SrcBlend = D3D10_BLEND_ONE;
    desc.DestBlend = D3D10_BLEND_ZERO;
    desc.BlendOp = D3D10_BLEND_OP_ADD;
    desc.SrcBlendAlpha = D3D10_BLEND_ONE;
    desc.DestBlendAlpha = D3D10_BLEND_ZERO;
    desc.BlendOpAlpha = D3D10_BLEND_OP_ADD;
    for (auto& mask : desc.RenderTargetWriteMask) mask = D3D10_COLOR_WRITE_ENABLE_ALL;
    return desc;
}

inline D3D10_DEPTH_STENCIL_DESC DefaultDepthStencilDesc() {
    D3D10_DEPTH_STENCIL_DESC desc{};
    desc.DepthEnable = TRUE;
    desc.DepthWriteMask = D3D10_DEPTH_WRITE_MASK_ALL;
    desc.DepthFunc = D3D10_COMPARISON_LESS;
    desc.StencilEnable = FALSE;
    desc.StencilReadMask = 0xff;
    desc.StencilWriteMask = 0xff;
    desc.FrontFace = {D3D10_STENCIL_OP_KEEP, D3D10_STENCIL_OP_KEEP, D3D10_STENCIL_OP_KEEP, D3D10_COMPARISON_ALWAYS};
    desc.BackFace = desc.FrontFace;
    return desc;
}

inline D3D10_RASTERIZER_DESC DefaultRasterizerDesc() {
    D3D10_RASTERIZER_DESC desc{};
    desc.FillMode = D3D10_FILL_SOLID;
    desc.CullMode = D3D10_CULL_BACK;
    desc.FrontCounterClockwise = FALSE;
    desc.DepthClipEnable = TRUE;
    return desc;
}

}  // namespace d3d10
