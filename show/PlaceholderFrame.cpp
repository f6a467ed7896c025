#include "PlaceholderFrame.h"

#include "globals.h"

namespace VRK {

void DrawPlaceholderFrame(const float color[4]) {
    D3D10_VIEWPORT viewport = {0, 0, static_cast<UINT>(screenWidth), static_cast<UINT>(screenHeight), 0.0f, 1.0f};
    device->RSSetViewports(1, &viewport);
    device->OMSetRenderTargets(1, &backBufferView, nullptr);
    device->ClearRenderTargetView(backBufferView, color);
}

}  // namespace VRK
