// For tests only: what the platform has drawn, read back as plain pixels.
#pragma once

#include <d3d10.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform_testing {

// 8-bit red, green, blue and alpha per pixel, row 0 at the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    // The pixel at (x, y) as 0xRRGGBBAA.
    uint32_t At(int x, int y) const {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    }
};

// The contents of a render target view (a multisampled one resolved first).
Image ReadRenderTarget(ID3D10RenderTargetView* view);

// From now on the swap chain keeps what each Present puts into the window.
void CaptureWindow(IDXGISwapChain* swapChain);
// What the last Present put into the window (needs CaptureWindow first).
Image LastPresentedWindow(IDXGISwapChain* swapChain);

// One call that chose or cleared a render target, as a test saw it: a bind
// names the first target view and the depth view of OMSetRenderTargets.
struct TargetEvent {
    enum Kind { Bind, Clear } kind;
    ID3D10RenderTargetView* view;
    ID3D10DepthStencilView* depth;
};

// From now on the device appends every OMSetRenderTargets and
// ClearRenderTargetView to `log`, in call order; null stops the recording.
void RecordTargetEvents(ID3D10Device* device, std::vector<TargetEvent>* log);

// The GL renderer behind the device, such as "llvmpipe (LLVM 15.0.6, 256 bits)".
std::string RendererString(ID3D10Device* device);

// The sample count the device gives a resource that asks for `requested`.
unsigned EffectiveSampleCount(ID3D10Device* device, unsigned requested);

}  // namespace platform_testing
