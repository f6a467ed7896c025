#include "Device.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "BlendState.h"
#include "Buffer.h"
#include "DebugLayer.h"
#include "DepthStencilState.h"
#include "DepthStencilView.h"
#include "InputLayout.h"
#include "RasterizerState.h"
#include "RenderTargetView.h"
#include "SamplerState.h"
#include "ShaderProgram.h"
#include "ShaderResourceView.h"
#include "StateDefaults.h"
#include "Texture2D.h"
#include "VertexReuseIndex.h"
#include "WindowTable.h"

namespace d3d10 {

namespace {

GLenum BlendFactor(D3D10_BLEND blend) {
    switch (blend) {
        case D3D10_BLEND_ZERO: return GL_ZERO;
        case D3D10_BLEND_ONE: return GL_ONE;
        case D3D10_BLEND_SRC_COLOR: return GL_SRC_COLOR;
        case D3D10_BLEND_INV_SRC_COLOR: return GL_ONE_MINUS_SRC_COLOR;
        case D3D10_BLEND_SRC_ALPHA: return GL_SRC_ALPHA;
        case D3D10_BLEND_INV_SRC_ALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case D3D10_BLEND_DEST_ALPHA: return GL_DST_ALPHA;
        case D3D10_BLEND_INV_DEST_ALPHA: return GL_ONE_MINUS_DST_ALPHA;
        case D3D10_BLEND_DEST_COLOR: return GL_DST_COLOR;
        case D3D10_BLEND_INV_DEST_COLOR: return GL_ONE_MINUS_DST_COLOR;
        case D3D10_BLEND_SRC_ALPHA_SAT: return GL_SRC_ALPHA_SATURATE;
        case D3D10_BLEND_BLEND_FACTOR: return GL_CONSTANT_COLOR;
        case D3D10_BLEND_INV_BLEND_FACTOR: return GL_ONE_MINUS_CONSTANT_COLOR;
        case D3D10_BLEND_SRC1_COLOR: return GL_SRC1_COLOR;
        case D3D10_BLEND_INV_SRC1_COLOR: return GL_ONE_MINUS_SRC1_COLOR;
        case D3D10_BLEND_SRC1_ALPHA: return GL_SRC1_ALPHA;
        case D3D10_BLEND_INV_SRC1_ALPHA: return GL_ONE_MINUS_SRC1_ALPHA;
    }
    return GL_ONE;
}

GLenum BlendOp(D3D10_BLEND_OP op) {
    switch (op) {
        case D3D10_BLEND_OP_ADD: return GL_FUNC_ADD;
        case D3D10_BLEND_OP_SUBTRACT: return GL_FUNC_SUBTRACT;
        case D3D10_BLEND_OP_REV_SUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
        case D3D10_BLEND_OP_MIN: return GL_MIN;
        case D3D10_BLEND_OP_MAX: return GL_MAX;
    }
    return GL_FUNC_ADD;
}

GLenum Comparison(D3D10_COMPARISON_FUNC func) {
    static const GLenum funcs[] = {GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return funcs[func - D3D10_COMPARISON_NEVER];
}

GLenum StencilOp(D3D10_STENCIL_OP op) {
    static const GLenum ops[] = {GL_KEEP, GL_ZERO, GL_REPLACE, GL_INCR, GL_DECR, GL_INVERT, GL_INCR_WRAP, GL_DECR_WRAP};
    return ops[op - D3D10_STENCIL_OP_KEEP];
}

GLenum PrimitiveMode(D3D10_PRIMITIVE_TOPOLOGY topology) {
    switch (topology) {
        case D3D10_PRIMITIVE_TOPOLOGY_POINTLIST: return GL_POINTS;
        case D3D10_PRIMITIVE_TOPOLOGY_LINELIST: return GL_LINES;
        case D3D10_PRIMITIVE_TOPOLOGY_LINESTRIP: return GL_LINE_STRIP;
        case D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST: return GL_TRIANGLES;
        case D3D10_PRIMITIVE_TOPOLOGY_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
        default: return GL_NONE;
    }
}

void SetCapability(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

template <class Concrete, class Interface>
Concrete* Concretely(Interface* object) {
    return static_cast<Concrete*>(object);
}

// Hands out what Concrete::Create makes through the interface pointer (null
// on failure).
template <class Concrete, class Interface, class... Args>
HRESULT CreateInto(Interface** out, Args... args) {
    Concrete* created = nullptr;
    HRESULT result = Concrete::Create(args..., out ? &created : nullptr);
    if (out) *out = created;
    return result;
}

// A state object the device owns: it must not keep the device alive, or the
// device would never go.
template <class State, class Desc>
void DefaultState(Ref<State>& slot, Device* device, const Desc* desc) {
    CreateRef(slot, device, desc);
    slot->DropDeviceReference();
}

}  // namespace

// Creation and lifetime.

HRESULT Device::Create(HWND window, Device** device) {
    if (!device) return E_INVALIDARG;
    *device = nullptr;
    SDL_Window* sdlWindow = win32::SdlWindowOf(window);
    if (!sdlWindow) {
        DebugMessage("D3D10CreateDeviceAndSwapChain: the output window is not a live window");
        return E_INVALIDARG;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 4);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 5);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
    if (!context) {
        DebugMessage("D3D10CreateDeviceAndSwapChain: no OpenGL 4.5 core context: %s", SDL_GetError());
        return E_FAIL;
    }
    if (SDL_GL_MakeCurrent(sdlWindow, context) != 0 || epoxy_gl_version() < 45) {
        DebugMessage("D3D10CreateDeviceAndSwapChain: the driver offers OpenGL %d.%d, not 4.5",
                     epoxy_gl_version() / 10, epoxy_gl_version() % 10);
        SDL_GL_DeleteContext(context);
        return E_FAIL;
    }
    SDL_GL_SetSwapInterval(0);

    Device* created = new Device(window, context);
    // Direct3D's window conventions: row 0 at the top of every target, and
    // depth from 0 to 1.
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    GLint colorSamples = 1, depthSamples = 1, samples = 1;
    glGetIntegerv(GL_MAX_COLOR_TEXTURE_SAMPLES, &colorSamples);
    glGetIntegerv(GL_MAX_DEPTH_TEXTURE_SAMPLES, &depthSamples);
    glGetIntegerv(GL_MAX_SAMPLES, &samples);
    created->maxSamples_ = static_cast<UINT>(std::max(1, std::min({colorSamples, depthSamples, samples})));
    glCreateVertexArrays(1, &created->emptyVertexArray_);
    created->CreateDefaultStates();
    created->ApplyRasterizer();
    created->ApplyOutputMerger();
    created->dirty_ = kDirtyAll;
    *device = created;
    return S_OK;
}

Device::Device(HWND window, void* context) : window_(window), context_(context) {}

Device::~Device() {
    bool active = Activate();
    ClearState();
    if (active) {
        for (auto& entry : framebuffers_) glDeleteFramebuffers(1, &entry.second);
        glDeleteVertexArrays(1, &emptyVertexArray_);
    }
    framebuffers_.clear();
    defaultRasterizer_.Reset();
    defaultBlend_.Reset();
    defaultDepthStencil_.Reset();
    defaultSampler_.Reset();
    if (SDL_GL_GetCurrentContext() == context_) SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
}

void Device::CreateDefaultStates() {
    const D3D10_RASTERIZER_DESC rasterizer = DefaultRasterizerDesc();
    const D3D10_BLEND_DESC blend = DefaultBlendDesc();
    const D3D10_DEPTH_STENCIL_DESC depthStencil = DefaultDepthStencilDesc();
    const D3D10_SAMPLER_DESC sampler = DefaultSamplerDesc();
    DefaultState(defaultRasterizer_, this, &rasterizer);
    DefaultState(defaultBlend_, this, &blend);
    DefaultState(defaultDepthStencil_, this, &depthStencil);
    DefaultState(defaultSampler_, this, &sampler);
}

HRESULT Device::QueryInterface(REFIID riid, void** object) {
    return Answer(riid, object, {{&IID_ID3D10Device, static_cast<ID3D10Device*>(this)}});
}

bool Device::Activate() {
    if (SDL_GL_GetCurrentContext() == context_) return true;
    SDL_Window* window = win32::SdlWindowOf(window_);
    return window && SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(context_)) == 0;
}

SDL_Window* Device::SdlWindow() const { return win32::SdlWindowOf(window_); }

UINT Device::EffectiveSampleCount(UINT requested) const { return std::max(1u, std::min(requested, maxSamples_)); }

// Object creation: each class checks its own description.

HRESULT Device::CreateBuffer(const D3D10_BUFFER_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                             ID3D10Buffer** buffer) {
    return CreateInto<Buffer>(buffer, this, desc, initialData);
}

HRESULT Device::CreateTexture2D(const D3D10_TEXTURE2D_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                                ID3D10Texture2D** texture) {
    return CreateInto<Texture2D>(texture, this, desc, initialData);
}

HRESULT Device::CreateShaderResourceView(ID3D10Resource* resource, const D3D10_SHADER_RESOURCE_VIEW_DESC* desc,
                                         ID3D10ShaderResourceView** view) {
    return CreateInto<ShaderResourceView>(view, this, resource, desc);
}

HRESULT Device::CreateRenderTargetView(ID3D10Resource* resource, const D3D10_RENDER_TARGET_VIEW_DESC* desc,
                                       ID3D10RenderTargetView** view) {
    return CreateInto<RenderTargetView>(view, this, resource, desc);
}

HRESULT Device::CreateDepthStencilView(ID3D10Resource* resource, const D3D10_DEPTH_STENCIL_VIEW_DESC* desc,
                                       ID3D10DepthStencilView** view) {
    return CreateInto<DepthStencilView>(view, this, resource, desc);
}

HRESULT Device::CreateInputLayout(const D3D10_INPUT_ELEMENT_DESC* elements, UINT elementCount,
                                  const void* shaderBytecodeWithInputSignature, SIZE_T bytecodeLength,
                                  ID3D10InputLayout** layout) {
    return CreateInto<InputLayout>(layout, this, elements, elementCount, shaderBytecodeWithInputSignature,
                                   bytecodeLength);
}

HRESULT Device::CreateRasterizerState(const D3D10_RASTERIZER_DESC* desc, ID3D10RasterizerState** state) {
    return CreateInto<RasterizerState>(state, this, desc);
}

HRESULT Device::CreateBlendState(const D3D10_BLEND_DESC* desc, ID3D10BlendState** state) {
    return CreateInto<BlendState>(state, this, desc);
}

HRESULT Device::CreateDepthStencilState(const D3D10_DEPTH_STENCIL_DESC* desc, ID3D10DepthStencilState** state) {
    return CreateInto<DepthStencilState>(state, this, desc);
}

HRESULT Device::CreateSamplerState(const D3D10_SAMPLER_DESC* desc, ID3D10SamplerState** state) {
    return CreateInto<SamplerState>(state, this, desc);
}

// Binding: record only.

void Device::IASetInputLayout(ID3D10InputLayout* layout) {
    inputAssembler_.layout = Concretely<InputLayout>(layout);
    dirty_ |= kDirtyInput;
}

void Device::IASetVertexBuffers(UINT startSlot, UINT bufferCount, ID3D10Buffer* const* buffers, const UINT* strides,
                                const UINT* offsets) {
    if (startSlot >= kInputSlots || bufferCount > kInputSlots - startSlot || (bufferCount && !buffers)) {
        DebugMessage("IASetVertexBuffers: slots %u..%u are out of range", startSlot, startSlot + bufferCount);
        return;
    }
    for (UINT i = 0; i < bufferCount; ++i) {
        UINT slot = startSlot + i;
        inputAssembler_.buffers[slot] = Concretely<Buffer>(buffers[i]);
        inputAssembler_.strides[slot] = strides ? strides[i] : 0;
        inputAssembler_.offsets[slot] = offsets ? offsets[i] : 0;
    }
    dirty_ |= kDirtyInput;
}

void Device::IASetPrimitiveTopology(D3D10_PRIMITIVE_TOPOLOGY topology) { inputAssembler_.topology = topology; }

void Device::RSSetState(ID3D10RasterizerState* state) {
    rasterizer_.state = Concretely<RasterizerState>(state);
    dirty_ |= kDirtyRasterizerState;
}

void Device::RSSetViewports(UINT viewportCount, const D3D10_VIEWPORT* viewports) {
    rasterizer_.hasViewport = viewportCount > 0 && viewports;
    if (rasterizer_.hasViewport) rasterizer_.viewport = viewports[0];
    dirty_ |= kDirtyViewport;
}

void Device::OMSetRenderTargets(UINT viewCount, ID3D10RenderTargetView* const* renderTargetViews,
                                ID3D10DepthStencilView* depthStencilView) {
    if (viewCount > kRenderTargets || (viewCount && !renderTargetViews)) {
        DebugMessage("OMSetRenderTargets: %u render targets", viewCount);
        return;
    }
    for (UINT i = 0; i < kRenderTargets; ++i)
        outputMerger_.targets[i] = i < viewCount ? Concretely<RenderTargetView>(renderTargetViews[i]) : nullptr;
    outputMerger_.targetCount = viewCount;
    outputMerger_.depth = Concretely<DepthStencilView>(depthStencilView);
    dirty_ |= kDirtyTargets;
    if (targetLog_)
        targetLog_->push_back({platform_testing::TargetEvent::Bind, viewCount ? renderTargetViews[0] : nullptr,
                               depthStencilView});
}

void Device::OMSetBlendState(ID3D10BlendState* state, const FLOAT blendFactor[4], UINT sampleMask) {
    outputMerger_.blend = Concretely<BlendState>(state);
    for (int i = 0; i < 4; ++i) outputMerger_.blendFactor[i] = blendFactor ? blendFactor[i] : 1.0f;
    outputMerger_.sampleMask = sampleMask;
    dirty_ |= kDirtyBlend;
}

void Device::OMSetDepthStencilState(ID3D10DepthStencilState* state, UINT stencilRef) {
    outputMerger_.depthStencil = Concretely<DepthStencilState>(state);
    outputMerger_.stencilRef = stencilRef;
    dirty_ |= kDirtyDepthStencil;
}

void Device::PSSetShaderResources(UINT startSlot, UINT viewCount, ID3D10ShaderResourceView* const* views) {
    if (startSlot >= kTextureUnits || viewCount > kTextureUnits - startSlot || (viewCount && !views)) {
        DebugMessage("PSSetShaderResources: slots %u..%u are out of range", startSlot, startSlot + viewCount);
        return;
    }
    for (UINT i = 0; i < viewCount; ++i) {
        ShaderResourceView* view = Concretely<ShaderResourceView>(views[i]);
        if (shaders_.resources[startSlot + i] == view) continue;
        shaders_.resources[startSlot + i] = view;
        dirtyUnits_ |= 1u << (startSlot + i);
        dirty_ |= kDirtyTextures;
    }
}

void Device::PSSetSamplers(UINT startSlot, UINT samplerCount, ID3D10SamplerState* const* samplers) {
    if (startSlot >= kTextureUnits || samplerCount > kTextureUnits - startSlot || (samplerCount && !samplers)) {
        DebugMessage("PSSetSamplers: slots %u..%u are out of range", startSlot, startSlot + samplerCount);
        return;
    }
    for (UINT i = 0; i < samplerCount; ++i) {
        SamplerState* sampler = Concretely<SamplerState>(samplers[i]);
        if (shaders_.samplers[startSlot + i] == sampler) continue;
        shaders_.samplers[startSlot + i] = sampler;
        dirtyUnits_ |= 1u << (startSlot + i);
        dirty_ |= kDirtyTextures;
    }
}

void Device::SetProgram(std::shared_ptr<const ShaderProgram> program) {
    if (program == shaders_.program) return;
    shaders_.program = std::move(program);
    dirty_ |= kDirtyProgram;
}

void Device::ClearState() {
    inputAssembler_ = InputAssemblerStage();
    rasterizer_ = RasterizerStage();
    outputMerger_ = OutputMergerStage();
    shaders_ = ShaderStage();
    dirty_ = kDirtyAll;
    dirtyUnits_ = 0xffffffffu;
}

void Device::InvalidateAppliedState() {
    dirty_ |= kDirtyRasterizerState | kDirtyBlend | kDirtyDepthStencil | kDirtyViewport | kDirtyTargets;
}

// Work.

void Device::ClearRenderTargetView(ID3D10RenderTargetView* view, const FLOAT colorRGBA[4]) {
    if (!view || !colorRGBA || !Activate()) return;
    if (targetLog_) targetLog_->push_back({platform_testing::TargetEvent::Clear, view, nullptr});
    RenderTargetView* target = Concretely<RenderTargetView>(view);
    GLuint framebuffer = FramebufferFor(&target, 1, nullptr);
    // Direct3D clears the whole view whatever the scissor and write masks.
    glDisable(GL_SCISSOR_TEST);
    glColorMaski(0, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearNamedFramebufferfv(framebuffer, GL_COLOR, 0, colorRGBA);
    // Only the scissor and the colour mask were opened: the next draw sets
    // those two again, and nothing else.
    dirty_ |= kDirtyRasterizerState | kDirtyBlend;
}

void Device::ClearDepthStencilView(ID3D10DepthStencilView* view, UINT clearFlags, FLOAT depth, uint8_t stencil) {
    (void)stencil;  // no format of the layer has a stencil part
    if (!view || !(clearFlags & D3D10_CLEAR_DEPTH) || !Activate()) return;
    GLuint framebuffer = FramebufferFor(nullptr, 0, Concretely<DepthStencilView>(view));
    glDisable(GL_SCISSOR_TEST);
    glDepthMask(GL_TRUE);
    glClearNamedFramebufferfv(framebuffer, GL_DEPTH, 0, &depth);
    dirty_ |= kDirtyRasterizerState | kDirtyDepthStencil;
}

void Device::Draw(UINT vertexCount, UINT startVertexLocation) {
    if (vertexCount == 0 || !Activate()) return;
    GLenum mode = PrimitiveMode(inputAssembler_.topology);
    if (mode == GL_NONE) {
        DebugMessage("Draw: no primitive topology is set");
        return;
    }
    if (!shaders_.program) {
        DebugMessage("Draw: no effect pass has been applied");
        return;
    }
    if (outputMerger_.targetCount == 0 && !outputMerger_.depth) return;
    ApplyState();
    if (const VertexReuseIndex* reuse = ReuseIndexFor(mode, vertexCount, startVertexLocation))
        reuse->DrawTriangles(boundVertexArray_, startVertexLocation, vertexCount);
    else
        glDrawArrays(mode, static_cast<GLint>(startVertexLocation), static_cast<GLsizei>(vertexCount));
}

// Null where the plain draw must stay: another topology, a vertex shader
// that numbers its vertices, several streams, a binding offset, or a buffer
// with no index at the bound stride (records nearly all distinct, or a
// stride no layout predicted).
const VertexReuseIndex* Device::ReuseIndexFor(GLenum mode, UINT vertexCount, UINT startVertexLocation) const {
    const InputAssemblerStage& ia = inputAssembler_;
    if (mode != GL_TRIANGLES || !VertexReuseIndex::Enabled() || !ia.layout || shaders_.program->ReadsVertexId())
        return nullptr;
    const int slot = ia.layout->SingleVertexSlot();
    if (slot < 0 || !ia.buffers[slot] || ia.offsets[slot] != 0) return nullptr;
    const VertexReuseIndex* index = ia.buffers[slot]->ReuseIndex(ia.strides[slot]);
    if (!index || startVertexLocation > index->Records() || vertexCount > index->Records() - startVertexLocation)
        return nullptr;
    return index;
}

void Device::CountLayoutRecordSize(UINT recordSize, int change) {
    if (recordSize == 0) return;
    if ((layoutRecordSizes_[recordSize] += change) <= 0) layoutRecordSizes_.erase(recordSize);
}

std::vector<UINT> Device::LayoutRecordSizes() const {
    std::vector<UINT> sizes;
    for (const auto& entry : layoutRecordSizes_) sizes.push_back(entry.first);
    return sizes;
}

void Device::Flush() {
    if (Activate()) glFlush();
}

// Turning the recorded state into GL calls.

void Device::ApplyState() {
    if (dirty_ & (kDirtyInput | kDirtyProgram)) ApplyInputAssembler();
    if (dirty_ & (kDirtyRasterizerState | kDirtyViewport)) ApplyRasterizer();
    if (dirty_ & (kDirtyTargets | kDirtyBlend | kDirtyDepthStencil)) ApplyOutputMerger();
    if (dirty_ & (kDirtyProgram | kDirtyTextures)) ApplyShaders();
    dirty_ = 0;
}

void Device::ApplyInputAssembler() {
    const InputAssemblerStage& ia = inputAssembler_;
    GLuint vertexArray = emptyVertexArray_;
    if (ia.layout && shaders_.program)
        vertexArray = ia.layout->VertexArrayFor(shaders_.program->Inputs(), shaders_.program->InputKey());
    if (vertexArray != boundVertexArray_) {
        glBindVertexArray(vertexArray);
        boundVertexArray_ = vertexArray;
    }
    if (!ia.layout) return;
    uint32_t slots = ia.layout->UsedSlots();
    for (UINT slot = 0; slot < kInputSlots; ++slot) {
        if (!(slots & (1u << slot))) continue;
        const Buffer* buffer = ia.buffers[slot].Get();
        glVertexArrayVertexBuffer(vertexArray, slot, buffer ? buffer->Name() : 0, ia.offsets[slot],
                                  static_cast<GLsizei>(ia.strides[slot]));
    }
}

void Device::ApplyRasterizer() {
    if (dirty_ & kDirtyRasterizerState) {
        const D3D10_RASTERIZER_DESC& d = (rasterizer_.state ? rasterizer_.state : defaultRasterizer_)->Desc();
        glPolygonMode(GL_FRONT_AND_BACK, d.FillMode == D3D10_FILL_WIREFRAME ? GL_LINE : GL_FILL);
        SetCapability(GL_CULL_FACE, d.CullMode != D3D10_CULL_NONE);
        glCullFace(d.CullMode == D3D10_CULL_FRONT ? GL_FRONT : GL_BACK);
        // With the upper-left origin GL negates its facing computation, so
        // the winding it sees is the winding on screen, as in Direct3D.
        glFrontFace(d.FrontCounterClockwise ? GL_CCW : GL_CW);
        bool bias = d.DepthBias != 0 || d.SlopeScaledDepthBias != 0.0f;
        SetCapability(GL_POLYGON_OFFSET_FILL, bias);
        SetCapability(GL_POLYGON_OFFSET_LINE, bias);
        glPolygonOffset(d.SlopeScaledDepthBias, static_cast<GLfloat>(d.DepthBias));
        SetCapability(GL_DEPTH_CLAMP, !d.DepthClipEnable);
        SetCapability(GL_SCISSOR_TEST, d.ScissorEnable);
        SetCapability(GL_MULTISAMPLE, d.MultisampleEnable);
        SetCapability(GL_LINE_SMOOTH, d.AntialiasedLineEnable);
    }
    if (dirty_ & kDirtyViewport) {
        // With the upper-left origin the viewport's y counts rows from the
        // top, as Direct3D's TopLeftY does. No viewport set draws nothing.
        const D3D10_VIEWPORT& v = rasterizer_.viewport;
        if (rasterizer_.hasViewport) {
            glViewport(v.TopLeftX, v.TopLeftY, static_cast<GLsizei>(v.Width), static_cast<GLsizei>(v.Height));
            glDepthRangef(v.MinDepth, v.MaxDepth);
        } else {
            glViewport(0, 0, 0, 0);
        }
    }
}

void Device::ApplyOutputMerger() {
    const OutputMergerStage& om = outputMerger_;
    if ((dirty_ & kDirtyTargets) && (om.targetCount > 0 || om.depth)) {
        RenderTargetView* targets[kRenderTargets];
        for (UINT i = 0; i < kRenderTargets; ++i) targets[i] = om.targets[i].Get();
        GLuint framebuffer = FramebufferFor(targets, om.targetCount, om.depth.Get());
        if (framebuffer != boundFramebuffer_) {
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
            boundFramebuffer_ = framebuffer;
        }
    }
    if (dirty_ & kDirtyBlend) {
        const D3D10_BLEND_DESC& d = (om.blend ? om.blend : defaultBlend_)->Desc();
        for (GLuint i = 0; i < kRenderTargets; ++i) {
            if (d.BlendEnable[i])
                glEnablei(GL_BLEND, i);
            else
                glDisablei(GL_BLEND, i);
            uint8_t mask = d.RenderTargetWriteMask[i];
            glColorMaski(i, (mask & D3D10_COLOR_WRITE_ENABLE_RED) != 0, (mask & D3D10_COLOR_WRITE_ENABLE_GREEN) != 0,
                         (mask & D3D10_COLOR_WRITE_ENABLE_BLUE) != 0, (mask & D3D10_COLOR_WRITE_ENABLE_ALPHA) != 0);
        }
        glBlendFuncSeparate(BlendFactor(d.SrcBlend), BlendFactor(d.DestBlend), BlendFactor(d.SrcBlendAlpha),
                            BlendFactor(d.DestBlendAlpha));
        glBlendEquationSeparate(BlendOp(d.BlendOp), BlendOp(d.BlendOpAlpha));
        glBlendColor(om.blendFactor[0], om.blendFactor[1], om.blendFactor[2], om.blendFactor[3]);
        SetCapability(GL_SAMPLE_ALPHA_TO_COVERAGE, d.AlphaToCoverageEnable);
        SetCapability(GL_SAMPLE_MASK, om.sampleMask != 0xffffffffu);
        glSampleMaski(0, om.sampleMask);
    }
    if (dirty_ & kDirtyDepthStencil) {
        const D3D10_DEPTH_STENCIL_DESC& d = (om.depthStencil ? om.depthStencil : defaultDepthStencil_)->Desc();
        SetCapability(GL_DEPTH_TEST, d.DepthEnable);
        glDepthFunc(Comparison(d.DepthFunc));
        glDepthMask(d.DepthWriteMask == D3D10_DEPTH_WRITE_MASK_ALL ? GL_TRUE : GL_FALSE);
        SetCapability(GL_STENCIL_TEST, d.StencilEnable);
        const GLint ref = static_cast<GLint>(om.stencilRef);
        glStencilFuncSeparate(GL_FRONT, Comparison(d.FrontFace.StencilFunc), ref, d.StencilReadMask);
        glStencilFuncSeparate(GL_BACK, Comparison(d.BackFace.StencilFunc), ref, d.StencilReadMask);
        glStencilOpSeparate(GL_FRONT, StencilOp(d.FrontFace.StencilFailOp), StencilOp(d.FrontFace.StencilDepthFailOp),
                            StencilOp(d.FrontFace.StencilPassOp));
        glStencilOpSeparate(GL_BACK, StencilOp(d.BackFace.StencilFailOp), StencilOp(d.BackFace.StencilDepthFailOp),
                            StencilOp(d.BackFace.StencilPassOp));
        glStencilMask(d.StencilWriteMask);
    }
}

void Device::ApplyShaders() {
    if (dirty_ & kDirtyProgram) {
        const ShaderProgram* program = shaders_.program.get();
        glUseProgram(program ? program->Name() : 0);
        if (program && program->UniformBuffer())
            for (GLuint binding : program->UniformBindings())
                glBindBufferBase(GL_UNIFORM_BUFFER, binding, program->UniformBuffer());
    }
    if (dirty_ & kDirtyTextures) {
        for (GLuint unit = 0; unit < kTextureUnits; ++unit) {
            if (!(dirtyUnits_ & (1u << unit))) continue;
            const ShaderResourceView* view = shaders_.resources[unit].Get();
            const SamplerState* sampler = shaders_.samplers[unit] ? shaders_.samplers[unit].Get()
                                                                  : defaultSampler_.Get();
            glBindTextureUnit(unit, view ? view->Name() : 0);
            glBindSampler(unit, sampler->Name());
        }
        dirtyUnits_ = 0;
    }
}

// The framebuffer cache.

bool Device::FramebufferKey::operator<(const FramebufferKey& other) const {
    return std::memcmp(views, other.views, sizeof views) < 0;
}

GLuint Device::FramebufferFor(RenderTargetView* const* targets, UINT targetCount, DepthStencilView* depth) {
    FramebufferKey key{};
    for (UINT i = 0; i < targetCount; ++i) key.views[i] = targets[i];
    key.views[kRenderTargets] = depth;
    auto found = framebuffers_.find(key);
    if (found != framebuffers_.end()) return found->second;

    GLuint framebuffer = 0;
    glCreateFramebuffers(1, &framebuffer);
    GLenum drawBuffers[kRenderTargets];
    for (UINT i = 0; i < kRenderTargets; ++i) {
        drawBuffers[i] = GL_NONE;
        if (i >= targetCount || !targets[i]) continue;
        const RenderTargetView& view = *targets[i];
        glNamedFramebufferTexture(framebuffer, GL_COLOR_ATTACHMENT0 + i, view.Texture().Name(),
                                  static_cast<GLint>(view.MipSlice()));
        drawBuffers[i] = GL_COLOR_ATTACHMENT0 + i;
    }
    glNamedFramebufferDrawBuffers(framebuffer, static_cast<GLsizei>(std::max(targetCount, 1u)), drawBuffers);
    glNamedFramebufferReadBuffer(framebuffer, targetCount && targets[0] ? GL_COLOR_ATTACHMENT0 : GL_NONE);
    if (depth)
        glNamedFramebufferTexture(framebuffer, GL_DEPTH_ATTACHMENT, depth->Texture().Name(),
                                  static_cast<GLint>(depth->MipSlice()));
    GLenum status = glCheckNamedFramebufferStatus(framebuffer, GL_DRAW_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        DebugMessage("OMSetRenderTargets: the views cannot be bound together (framebuffer status 0x%x)", status);
    framebuffers_[key] = framebuffer;
    return framebuffer;
}

void Device::ForgetView(const void* view) {
    bool active = Activate();
    for (auto it = framebuffers_.begin(); it != framebuffers_.end();) {
        const FramebufferKey& key = it->first;
        if (std::find(std::begin(key.views), std::end(key.views), view) == std::end(key.views)) {
            ++it;
            continue;
        }
        if (it->second == boundFramebuffer_) {
            boundFramebuffer_ = 0;
            dirty_ |= kDirtyTargets;
        }
        if (active) glDeleteFramebuffers(1, &it->second);
        it = framebuffers_.erase(it);
    }
}

}  // namespace d3d10
