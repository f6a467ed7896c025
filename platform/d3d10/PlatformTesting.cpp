#include "PlatformTesting.h"

#include <algorithm>

#include "Device.h"
#include "RenderTargetView.h"
#include "SwapChain.h"
#include "VertexReuseIndex.h"

namespace platform_testing {

Image ReadRenderTarget(ID3D10RenderTargetView* view) {
    Image image;
    auto* target = static_cast<d3d10::RenderTargetView*>(view);
    d3d10::Device* device = target->OwnerDevice();
    if (!device->Activate()) return image;
    d3d10::Texture2D& texture = target->Texture();
    GLint level = static_cast<GLint>(target->MipSlice());
    image.width = std::max(1, static_cast<int>(texture.Width()) >> level);
    image.height = std::max(1, static_cast<int>(texture.Height()) >> level);
    image.rgba.assign(static_cast<size_t>(image.width) * image.height * 4, 0);

    GLuint source = 0, resolved = 0, resolvedTexture = 0;
    glCreateFramebuffers(1, &source);
    glNamedFramebufferTexture(source, GL_COLOR_ATTACHMENT0, texture.Name(), level);
    glNamedFramebufferReadBuffer(source, GL_COLOR_ATTACHMENT0);
    GLuint readFrom = source;
    if (texture.Samples() > 1) {
        glCreateTextures(GL_TEXTURE_2D, 1, &resolvedTexture);
        glTextureStorage2D(resolvedTexture, 1, GL_RGBA8, image.width, image.height);
        glCreateFramebuffers(1, &resolved);
        glNamedFramebufferTexture(resolved, GL_COLOR_ATTACHMENT0, resolvedTexture, 0);
        glNamedFramebufferReadBuffer(resolved, GL_COLOR_ATTACHMENT0);
        glNamedFramebufferDrawBuffer(resolved, GL_COLOR_ATTACHMENT0);
        glDisable(GL_SCISSOR_TEST);
        device->InvalidateAppliedState();
        glBlitNamedFramebuffer(source, resolved, 0, 0, image.width, image.height, 0, 0, image.width, image.height,
                               GL_COLOR_BUFFER_BIT, GL_NEAREST);
        readFrom = resolved;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFrom);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &source);
    if (resolved) glDeleteFramebuffers(1, &resolved);
    if (resolvedTexture) glDeleteTextures(1, &resolvedTexture);
    return image;
}

void CaptureWindow(IDXGISwapChain* swapChain) { static_cast<d3d10::SwapChain*>(swapChain)->CapturePresents(true); }

Image LastPresentedWindow(IDXGISwapChain* swapChain) {
    Image image;
    image.rgba = static_cast<d3d10::SwapChain*>(swapChain)->LastPresented(image.width, image.height);
    return image;
}

void RecordTargetEvents(ID3D10Device* device, std::vector<TargetEvent>* log) {
    static_cast<d3d10::Device*>(device)->RecordTargetEvents(log);
}

std::string RendererString(ID3D10Device* device) {
    if (!static_cast<d3d10::Device*>(device)->Activate()) return "";
    const GLubyte* renderer = glGetString(GL_RENDERER);
    return renderer ? reinterpret_cast<const char*>(renderer) : "";
}

unsigned EffectiveSampleCount(ID3D10Device* device, unsigned requested) {
    return static_cast<d3d10::Device*>(device)->EffectiveSampleCount(requested);
}

void SetVertexReuse(bool on) { d3d10::VertexReuseIndex::Enabled() = on; }

uint64_t SharedVertexDraws() { return d3d10::VertexReuseIndex::DrawsThrough(); }

}  // namespace platform_testing
