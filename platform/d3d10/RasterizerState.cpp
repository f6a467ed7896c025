#include "RasterizerState.h"

#include "DebugLayer.h"

namespace d3d10 {

HRESULT RasterizerState::Create(Device* device, const D3D10_RASTERIZER_DESC* desc, RasterizerState** state) {
    if (!desc || !state) return E_INVALIDARG;
    *state = nullptr;
    if (desc->FillMode != D3D10_FILL_SOLID && desc->FillMode != D3D10_FILL_WIREFRAME) {
        DebugMessage("CreateRasterizerState: fill mode %d is not valid", static_cast<int>(desc->FillMode));
        return E_INVALIDARG;
    }
    if (desc->CullMode < D3D10_CULL_NONE || desc->CullMode > D3D10_CULL_BACK) {
        DebugMessage("CreateRasterizerState: cull mode %d is not valid", static_cast<int>(desc->CullMode));
        return E_INVALIDARG;
    }
    *state = new RasterizerState(device, *desc);
    return S_OK;
}

HRESULT RasterizerState::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

void RasterizerState::GetDesc(D3D10_RASTERIZER_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
