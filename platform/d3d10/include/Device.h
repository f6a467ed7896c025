// ID3D10Device over an OpenGL 4.5 core context. The Set... calls only record
// what is bound, in one plain struct per pipeline stage; ApplyState turns the
// changes into GL calls right before a draw.
#pragma once

#include <d3d10.h>
#include <epoxy/gl.h>

#include <map>
#include <memory>
#include <vector>

#include "ComObject.h"
#include "PlatformTesting.h"

struct SDL_Window;

namespace d3d10 {

class Buffer;
class Texture2D;
class RenderTargetView;
class DepthStencilView;
class ShaderResourceView;
class InputLayout;
class RasterizerState;
class BlendState;
class DepthStencilState;
class SamplerState;
class ShaderProgram;
class VertexReuseIndex;

constexpr UINT kInputSlots = 16;
constexpr UINT kRenderTargets = 8;
constexpr UINT kTextureUnits = 16;

struct InputAssemblerStage {
    Ref<InputLayout> layout;
    Ref<Buffer> buffers[kInputSlots];
    UINT strides[kInputSlots] = {};
    UINT offsets[kInputSlots] = {};
    D3D10_PRIMITIVE_TOPOLOGY topology = D3D10_PRIMITIVE_TOPOLOGY_UNDEFINED;
};

struct RasterizerStage {
    Ref<RasterizerState> state;  // null: the default state
    bool hasViewport = false;
    D3D10_VIEWPORT viewport = {};
};

struct OutputMergerStage {
    Ref<RenderTargetView> targets[kRenderTargets];
    UINT targetCount = 0;
    Ref<DepthStencilView> depth;
    Ref<BlendState> blend;  // null: the default state
    FLOAT blendFactor[4] = {1, 1, 1, 1};
    UINT sampleMask = 0xffffffffu;
    Ref<DepthStencilState> depthStencil;  // null: the default state
    UINT stencilRef = 0;
};

// The program of the applied effect pass and the textures bound by unit.
struct ShaderStage {
    std::shared_ptr<const ShaderProgram> program;
    Ref<ShaderResourceView> resources[kTextureUnits];
    Ref<SamplerState> samplers[kTextureUnits];  // null: the default sampler
};

class Device final : public RefCounted<ID3D10Device> {
public:
    // Creates the GL context on the window; fails when the window has no SDL
    // window behind it or the driver offers less than OpenGL 4.5.
    static HRESULT Create(HWND window, Device** device);

    HRESULT QueryInterface(REFIID riid, void** object) override;

    HRESULT CreateBuffer(const D3D10_BUFFER_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                         ID3D10Buffer** buffer) override;
    HRESULT CreateTexture2D(const D3D10_TEXTURE2D_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                            ID3D10Texture2D** texture) override;
    HRESULT CreateShaderResourceView(ID3D10Resource* resource, const D3D10_SHADER_RESOURCE_VIEW_DESC* desc,
                                     ID3D10ShaderResourceView** view) override;
    HRESULT CreateRenderTargetView(ID3D10Resource* resource, const D3D10_RENDER_TARGET_VIEW_DESC* desc,
                                   ID3D10RenderTargetView** view) override;
    HRESULT CreateDepthStencilView(ID3D10Resource* resource, const D3D10_DEPTH_STENCIL_VIEW_DESC* desc,
                                   ID3D10DepthStencilView** view) override;
    HRESULT CreateInputLayout(const D3D10_INPUT_ELEMENT_DESC* elements, UINT elementCount,
                              const void* shaderBytecodeWithInputSignature, SIZE_T bytecodeLength,
                              ID3D10InputLayout** layout) override;
    HRESULT CreateRasterizerState(const D3D10_RASTERIZER_DESC* desc, ID3D10RasterizerState** state) override;
    HRESULT CreateBlendState(const D3D10_BLEND_DESC* desc, ID3D10BlendState** state) override;
    HRESULT CreateDepthStencilState(const D3D10_DEPTH_STENCIL_DESC* desc, ID3D10DepthStencilState** state) override;
    HRESULT CreateSamplerState(const D3D10_SAMPLER_DESC* desc, ID3D10SamplerState** state) override;

    void IASetInputLayout(ID3D10InputLayout* layout) override;
    void IASetVertexBuffers(UINT startSlot, UINT bufferCount, ID3D10Buffer* const* buffers, const UINT* strides,
                            const UINT* offsets) override;
    void IASetPrimitiveTopology(D3D10_PRIMITIVE_TOPOLOGY topology) override;
    void RSSetState(ID3D10RasterizerState* state) override;
    void RSSetViewports(UINT viewportCount, const D3D10_VIEWPORT* viewports) override;
    void OMSetRenderTargets(UINT viewCount, ID3D10RenderTargetView* const* renderTargetViews,
                            ID3D10DepthStencilView* depthStencilView) override;
    void OMSetBlendState(ID3D10BlendState* state, const FLOAT blendFactor[4], UINT sampleMask) override;
    void OMSetDepthStencilState(ID3D10DepthStencilState* state, UINT stencilRef) override;
    void PSSetShaderResources(UINT startSlot, UINT viewCount, ID3D10ShaderResourceView* const* views) override;
    void PSSetSamplers(UINT startSlot, UINT samplerCount, ID3D10SamplerState* const* samplers) override;
    void ClearRenderTargetView(ID3D10RenderTargetView* view, const FLOAT colorRGBA[4]) override;
    void ClearDepthStencilView(ID3D10DepthStencilView* view, UINT clearFlags, FLOAT depth, uint8_t stencil) override;
    void Draw(UINT vertexCount, UINT startVertexLocation) override;
    void ClearState() override;
    void Flush() override;

    // Inside the layer.

    // Makes this device's context current; false once its window is gone
    // (GL objects then can no longer be deleted, and are left to the process).
    bool Activate();
    HWND Window() const { return window_; }
    SDL_Window* SdlWindow() const;

    // The sample count a multisampled resource asking for `requested` gets:
    // the most the driver offers up to that, the same for colour and depth.
    UINT EffectiveSampleCount(UINT requested) const;

    // A framebuffer with these views attached, from a small cache.
    GLuint FramebufferFor(RenderTargetView* const* targets, UINT targetCount, DepthStencilView* depth);
    // Drops the cached framebuffers that use a view about to be destroyed.
    void ForgetView(const void* view);

    // Effect passes bind their program here; their textures and samplers go
    // through PSSetShaderResources and PSSetSamplers by texture unit.
    void SetProgram(std::shared_ptr<const ShaderProgram> program);

    // The record sizes of the live single-stream input layouts: the strides
    // a new buffer's shared-vertex indices are built for.
    void CountLayoutRecordSize(UINT recordSize, int change);
    std::vector<UINT> LayoutRecordSizes() const;

    // Someone changed GL state behind the stage structs (a clear, a blit):
    // the next draw sets the fixed-function state and targets again.
    void InvalidateAppliedState();

    // For tests: where binds and clears of render targets are logged, or null.
    void RecordTargetEvents(std::vector<platform_testing::TargetEvent>* log) { targetLog_ = log; }

private:
    Device(HWND window, void* context);
    ~Device() override;

    void CreateDefaultStates();
    void ApplyState();
    void ApplyInputAssembler();
    void ApplyRasterizer();
    void ApplyOutputMerger();
    void ApplyShaders();
    const VertexReuseIndex* ReuseIndexFor(GLenum mode, UINT vertexCount, UINT startVertexLocation) const;

    enum Dirty : uint32_t {
        kDirtyInput = 1u << 0,
        kDirtyRasterizerState = 1u << 1,
        kDirtyViewport = 1u << 2,
        kDirtyTargets = 1u << 3,
        kDirtyBlend = 1u << 4,
        kDirtyDepthStencil = 1u << 5,
        kDirtyProgram = 1u << 6,
        kDirtyTextures = 1u << 7,
        kDirtyAll = 0xffffffffu,
    };

    HWND window_;
    void* context_;  // SDL_GLContext
    UINT maxSamples_ = 1;

    InputAssemblerStage inputAssembler_;
    RasterizerStage rasterizer_;
    OutputMergerStage outputMerger_;
    ShaderStage shaders_;
    uint32_t dirty_ = kDirtyAll;
    uint32_t dirtyUnits_ = 0xffffffffu;

    // What GL holds now, to skip redundant binds.
    GLuint boundVertexArray_ = 0;
    GLuint boundFramebuffer_ = 0;
    GLuint emptyVertexArray_ = 0;

    // Direct3D's default states, applied when a stage holds none.
    Ref<RasterizerState> defaultRasterizer_;
    Ref<BlendState> defaultBlend_;
    Ref<DepthStencilState> defaultDepthStencil_;
    Ref<SamplerState> defaultSampler_;

    struct FramebufferKey {
        const void* views[kRenderTargets + 1];
        bool operator<(const FramebufferKey& other) const;
    };
    std::map<FramebufferKey, GLuint> framebuffers_;

    std::vector<platform_testing::TargetEvent>* targetLog_ = nullptr;
    std::map<UINT, int> layoutRecordSizes_;  // size: live layouts
};

}  // namespace d3d10
