#include "DepthStencilState.h"

#include "DebugLayer.h"

namespace d3d10 {

namespace {

bool ValidFunc(D3D10_COMPARISON_FUNC func) {
    return func >= D3D10_COMPARISON_NEVER && func <= D3D10_COMPARISON_ALWAYS;
}

bool ValidOp(D3D10_STENCIL_OP op) { return op >= D3D10_STENCIL_OP_KEEP && op <= D3D10_STENCIL_OP_DECR; }

bool ValidFace(const D3D10_DEPTH_STENCILOP_DESC& face) {
    return ValidOp(face.StencilFailOp) && ValidOp(face.StencilDepthFailOp) && ValidOp(face.StencilPassOp) &&
           ValidFunc(face.StencilFunc);
}

}  // namespace

HRESULT DepthStencilState::Create(Device* device, const D3D10_DEPTH_STENCIL_DESC* desc, DepthStencilState** state) {
    if (!desc || !state) return E_INVALIDARG;
    *state = nullptr;
    if (!ValidFunc(desc->DepthFunc) ||
        (desc->DepthWriteMask != D3D10_DEPTH_WRITE_MASK_ZERO && desc->DepthWriteMask != D3D10_DEPTH_WRITE_MASK_ALL) ||
        !ValidFace(desc->FrontFace) || !ValidFace(desc->BackFace)) {
        DebugMessage("CreateDepthStencilState: a comparison, write mask or stencil operation is not valid");
        return E_INVALIDARG;
    }
    *state = new DepthStencilState(device, *desc);
    return S_OK;
}

HRESULT DepthStencilState::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

void DepthStencilState::GetDesc(D3D10_DEPTH_STENCIL_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
