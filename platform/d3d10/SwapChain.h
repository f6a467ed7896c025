// IDXGISwapChain: the back buffer is an offscreen texture (multisampled when
// asked); Present resolves it and copies it, the right way up, into the
// window, scaled to fit when the window's size differs.
#pragma once

#include <dxgi.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "ComObject.h"
#include "Device.h"
#include "Texture2D.h"

namespace d3d10 {

class SwapChain final : public RefCounted<IDXGISwapChain> {
public:
    static HRESULT Create(Device* device, const DXGI_SWAP_CHAIN_DESC& desc, SwapChain** swapChain);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    HRESULT Present(UINT syncInterval, UINT flags) override;
    HRESULT GetBuffer(UINT buffer, REFIID riid, void** surface) override;
    HRESULT GetDesc(DXGI_SWAP_CHAIN_DESC* desc) override;

    // For tests: keep a copy of what each Present puts into the window
    // (RGBA8, row 0 at the top), read before the buffers are swapped.
    void CapturePresents(bool capture) { capture_ = capture; }
    const std::vector<uint8_t>& LastPresented(int& width, int& height) const {
        width = capturedWidth_;
        height = capturedHeight_;
        return captured_;
    }

private:
    SwapChain(Device* device, const DXGI_SWAP_CHAIN_DESC& desc) : device_(device), desc_(desc) {}
    ~SwapChain() override;

    Ref<Device> device_;
    DXGI_SWAP_CHAIN_DESC desc_;
    Ref<Texture2D> backBuffer_;
    GLuint sourceFramebuffer_ = 0;
    GLuint resolveTexture_ = 0;  // single-sample copy of a multisampled back buffer
    GLuint resolveFramebuffer_ = 0;
    int swapInterval_ = 0;

    bool capture_ = false;
    std::vector<uint8_t> captured_;
    int capturedWidth_ = 0;
    int capturedHeight_ = 0;
};

}  // namespace d3d10
