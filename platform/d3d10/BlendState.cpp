#include "BlendState.h"

#include "DebugLayer.h"

namespace d3d10 {

namespace {

bool ValidBlend(D3D10_BLEND blend) {
    return (blend >= D3D10_BLEND_ZERO && blend <= D3D10_BLEND_SRC_ALPHA_SAT) ||
           (blend >= D3D10_BLEND_BLEND_FACTOR && blend <= D3D10_BLEND_INV_SRC1_ALPHA);
}

bool ValidBlendOp(D3D10_BLEND_OP op) { return op >= D3D10_BLEND_OP_ADD && op <= D3D10_BLEND_OP_MAX; }

bool ColourOnly(D3D10_BLEND blend) {
    return blend == D3D10_BLEND_SRC_COLOR || blend == D3D10_BLEND_INV_SRC_COLOR || blend == D3D10_BLEND_DEST_COLOR ||
           blend == D3D10_BLEND_INV_DEST_COLOR || blend == D3D10_BLEND_SRC1_COLOR ||
           blend == D3D10_BLEND_INV_SRC1_COLOR;
}

}  // namespace

HRESULT BlendState::Create(Device* device, const D3D10_BLEND_DESC* desc, BlendState** state) {
    if (!desc || !state) return E_INVALIDARG;
    *state = nullptr;
    if (!ValidBlend(desc->SrcBlend) || !ValidBlend(desc->DestBlend) || !ValidBlend(desc->SrcBlendAlpha) ||
        !ValidBlend(desc->DestBlendAlpha) || !ValidBlendOp(desc->BlendOp) || !ValidBlendOp(desc->BlendOpAlpha)) {
        DebugMessage("CreateBlendState: a blend factor or operation is not valid");
        return E_INVALIDARG;
    }
    if (ColourOnly(desc->SrcBlendAlpha) || ColourOnly(desc->DestBlendAlpha)) {
        DebugMessage("CreateBlendState: a colour factor is used for alpha");
        return E_INVALIDARG;
    }
    for (uint8_t mask : desc->RenderTargetWriteMask) {
        if (mask & ~D3D10_COLOR_WRITE_ENABLE_ALL) {
            DebugMessage("CreateBlendState: write mask 0x%x is not valid", mask);
            return E_INVALIDARG;
        }
    }
    *state = new BlendState(device, *desc);
    return S_OK;
}

HRESULT BlendState::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

void BlendState::GetDesc(D3D10_BLEND_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
