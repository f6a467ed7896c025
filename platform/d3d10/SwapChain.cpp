#include "SwapChain.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "DebugLayer.h"

namespace d3d10 {

namespace {

// Full screen at the configured size where the display offers exactly that
// mode and really switches to it; otherwise a desktop-sized full-screen
// window that Present scales into.
void EnterFullScreen(SDL_Window* window, int width, int height) {
    int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode mode{};
    bool offered = false;
    for (int i = 0; display >= 0 && i < SDL_GetNumDisplayModes(display) && !offered; ++i)
        offered = SDL_GetDisplayMode(display, i, &mode) == 0 && mode.w == width && mode.h == height;
    if (offered && SDL_SetWindowDisplayMode(window, &mode) == 0 &&
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0) {
        SDL_DisplayMode current{};
        if (SDL_GetCurrentDisplayMode(display, &current) == 0 && current.w == width && current.h == height) return;
    }
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

}  // namespace

HRESULT SwapChain::Create(Device* device, const DXGI_SWAP_CHAIN_DESC& desc, SwapChain** swapChain) {
    *swapChain = nullptr;
    SDL_Window* window = device->SdlWindow();
    if (!window || !device->Activate()) return E_INVALIDARG;

    DXGI_SWAP_CHAIN_DESC d = desc;
    if (d.BufferDesc.Width == 0 || d.BufferDesc.Height == 0) {
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(window, &width, &height);
        d.BufferDesc.Width = static_cast<UINT>(width);
        d.BufferDesc.Height = static_cast<UINT>(height);
    }
    D3D10_TEXTURE2D_DESC bufferDesc{};
    bufferDesc.Width = d.BufferDesc.Width;
    bufferDesc.Height = d.BufferDesc.Height;
    bufferDesc.MipLevels = 1;
    bufferDesc.ArraySize = 1;
    bufferDesc.Format = d.BufferDesc.Format;
    bufferDesc.SampleDesc = d.SampleDesc;
    bufferDesc.Usage = D3D10_USAGE_DEFAULT;
    bufferDesc.BindFlags = D3D10_BIND_RENDER_TARGET;
    if ((d.BufferUsage & DXGI_USAGE_SHADER_INPUT) && d.SampleDesc.Count == 1)
        bufferDesc.BindFlags |= D3D10_BIND_SHADER_RESOURCE;
    Texture2D* backBuffer = nullptr;
    HRESULT result = Texture2D::Create(device, &bufferDesc, nullptr, &backBuffer);
    if (FAILED(result)) return result;

    SwapChain* created = new SwapChain(device, d);
    created->backBuffer_ = Ref<Texture2D>::Adopt(backBuffer);
    glCreateFramebuffers(1, &created->sourceFramebuffer_);
    glNamedFramebufferTexture(created->sourceFramebuffer_, GL_COLOR_ATTACHMENT0, backBuffer->Name(), 0);
    glNamedFramebufferReadBuffer(created->sourceFramebuffer_, GL_COLOR_ATTACHMENT0);
    if (backBuffer->Samples() > 1) {
        glCreateTextures(GL_TEXTURE_2D, 1, &created->resolveTexture_);
        glTextureStorage2D(created->resolveTexture_, 1, backBuffer->Format().internalFormat,
                           static_cast<GLsizei>(d.BufferDesc.Width), static_cast<GLsizei>(d.BufferDesc.Height));
        glCreateFramebuffers(1, &created->resolveFramebuffer_);
        glNamedFramebufferTexture(created->resolveFramebuffer_, GL_COLOR_ATTACHMENT0, created->resolveTexture_, 0);
        glNamedFramebufferReadBuffer(created->resolveFramebuffer_, GL_COLOR_ATTACHMENT0);
        glNamedFramebufferDrawBuffer(created->resolveFramebuffer_, GL_COLOR_ATTACHMENT0);
    }
    if (!d.Windowed) EnterFullScreen(window, static_cast<int>(d.BufferDesc.Width), static_cast<int>(d.BufferDesc.Height));
    *swapChain = created;
    return S_OK;
}

SwapChain::~SwapChain() {
    if (!device_->Activate()) return;
    if (!desc_.Windowed) SDL_SetWindowFullscreen(device_->SdlWindow(), 0);
    glDeleteFramebuffers(1, &sourceFramebuffer_);
    if (resolveFramebuffer_) glDeleteFramebuffers(1, &resolveFramebuffer_);
    if (resolveTexture_) glDeleteTextures(1, &resolveTexture_);
}

HRESULT SwapChain::QueryInterface(REFIID riid, void** object) {
    return Answer(riid, object, {{&IID_IDXGISwapChain, static_cast<IDXGISwapChain*>(this)}});
}

HRESULT SwapChain::GetBuffer(UINT buffer, REFIID riid, void** surface) {
    if (!surface) return E_INVALIDARG;
    *surface = nullptr;
    // With the discard effect only buffer 0 can be reached.
    if (buffer != 0) return DXGI_ERROR_INVALID_CALL;
    return backBuffer_->QueryInterface(riid, surface);
}

HRESULT SwapChain::GetDesc(DXGI_SWAP_CHAIN_DESC* desc) {
    if (!desc) return E_INVALIDARG;
    *desc = desc_;
    return S_OK;
}

HRESULT SwapChain::Present(UINT syncInterval, UINT flags) {
    (void)flags;
    SDL_Window* window = device_->SdlWindow();
    if (!window || !device_->Activate()) return DXGI_ERROR_INVALID_CALL;
    const GLint width = static_cast<GLint>(desc_.BufferDesc.Width);
    const GLint height = static_cast<GLint>(desc_.BufferDesc.Height);

    // Blits obey the scissor test and, on some drivers, the colour mask.
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    device_->InvalidateAppliedState();

    GLuint source = sourceFramebuffer_;
    if (resolveFramebuffer_) {
        glBlitNamedFramebuffer(sourceFramebuffer_, resolveFramebuffer_, 0, 0, width, height, 0, 0, width, height,
                               GL_COLOR_BUFFER_BIT, GL_NEAREST);
        source = resolveFramebuffer_;
    }

    int windowWidth = 0, windowHeight = 0;
    SDL_GL_GetDrawableSize(window, &windowWidth, &windowHeight);
    int outWidth = windowWidth, outHeight = windowHeight, left = 0, top = 0;
    bool scaled = windowWidth != width || windowHeight != height;
    if (scaled) {
        // Keep the back buffer's aspect, with black bars where it leaves room.
        double scale = std::min(static_cast<double>(windowWidth) / width, static_cast<double>(windowHeight) / height);
        outWidth = static_cast<int>(std::lround(width * scale));
        outHeight = static_cast<int>(std::lround(height * scale));
        left = (windowWidth - outWidth) / 2;
        top = (windowHeight - outHeight) / 2;
        const GLfloat black[4] = {0, 0, 0, 1};
        glClearNamedFramebufferfv(0, GL_COLOR, 0, black);
    }
    // The window's row 0 is its bottom row, the back buffer's its top row.
    glBlitNamedFramebuffer(source, 0, 0, 0, width, height, left, windowHeight - top, left + outWidth,
                           windowHeight - top - outHeight, GL_COLOR_BUFFER_BIT, scaled ? GL_LINEAR : GL_NEAREST);

    if (capture_) {
        captured_.assign(static_cast<size_t>(windowWidth) * windowHeight * 4, 0);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, windowWidth, windowHeight, GL_RGBA, GL_UNSIGNED_BYTE, captured_.data());
        const size_t row = static_cast<size_t>(windowWidth) * 4;
        std::vector<uint8_t> swapRow(row);
        for (int y = 0; y < windowHeight / 2; ++y) {
            uint8_t* a = captured_.data() + row * y;
            uint8_t* b = captured_.data() + row * (windowHeight - 1 - y);
            std::memcpy(swapRow.data(), a, row);
            std::memcpy(a, b, row);
            std::memcpy(b, swapRow.data(), row);
        }
        capturedWidth_ = windowWidth;
        capturedHeight_ = windowHeight;
    }

    int interval = syncInterval > 0 ? 1 : 0;
    if (interval != swapInterval_) {
        SDL_GL_SetSwapInterval(interval);
        swapInterval_ = interval;
    }
    SDL_GL_SwapWindow(window);
    return S_OK;
}

}  // namespace d3d10

using d3d10::Device;
using d3d10::SwapChain;

HRESULT D3D10CreateDeviceAndSwapChain(void* adapter, D3D10_DRIVER_TYPE driverType, HMODULE software, UINT flags,
                                      UINT sdkVersion, DXGI_SWAP_CHAIN_DESC* swapChainDesc,
                                      IDXGISwapChain** swapChain, ID3D10Device** device) {
    (void)adapter;
    (void)driverType;
    (void)software;
    (void)flags;
    if (swapChain) *swapChain = nullptr;
    if (device) *device = nullptr;
    if (sdkVersion != D3D10_SDK_VERSION || !swapChainDesc || !swapChain || !device) {
        d3d10::DebugMessage("D3D10CreateDeviceAndSwapChain: bad SDK version or missing argument");
        return E_INVALIDARG;
    }
    const DXGI_SWAP_CHAIN_DESC& desc = *swapChainDesc;
    if (desc.BufferDesc.Format != DXGI_FORMAT_R8G8B8A8_UNORM || desc.BufferCount == 0 ||
        desc.SampleDesc.Count == 0) {
        d3d10::DebugMessage("D3D10CreateDeviceAndSwapChain: format %d, %u buffers, %u samples is not a swap chain",
                            static_cast<int>(desc.BufferDesc.Format), desc.BufferCount, desc.SampleDesc.Count);
        return E_INVALIDARG;
    }
    Device* createdDevice = nullptr;
    HRESULT result = Device::Create(desc.OutputWindow, &createdDevice);
    if (FAILED(result)) return result;
    SwapChain* createdSwapChain = nullptr;
    result = SwapChain::Create(createdDevice, desc, &createdSwapChain);
    if (FAILED(result)) {
        createdDevice->Release();
        return result;
    }
    *swapChain = createdSwapChain;
    *device = createdDevice;
    return S_OK;
}
