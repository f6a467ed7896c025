// The part of Direct3D 10 the program uses: the device, resources and views,
// input layouts, state objects, and the effect framework.
#pragma once

#include <dxgi.h>

#define D3D10_SDK_VERSION 29

// Compiler flags.
#define D3D10_SHADER_DEBUG (1u << 0)
#define D3D10_SHADER_ENABLE_STRICTNESS (1u << 11)

enum D3D10_DRIVER_TYPE {
    D3D10_DRIVER_TYPE_HARDWARE = 0,
    D3D10_DRIVER_TYPE_REFERENCE = 1,
    D3D10_DRIVER_TYPE_NULL = 2,
    D3D10_DRIVER_TYPE_SOFTWARE = 3,
    D3D10_DRIVER_TYPE_WARP = 5,
};

enum D3D10_USAGE {
    D3D10_USAGE_DEFAULT = 0,
    D3D10_USAGE_IMMUTABLE = 1,
    D3D10_USAGE_DYNAMIC = 2,
    D3D10_USAGE_STAGING = 3,
};

enum D3D10_BIND_FLAG {
    D3D10_BIND_VERTEX_BUFFER = 0x1,
    D3D10_BIND_INDEX_BUFFER = 0x2,
    D3D10_BIND_CONSTANT_BUFFER = 0x4,
    D3D10_BIND_SHADER_RESOURCE = 0x8,
    D3D10_BIND_STREAM_OUTPUT = 0x10,
    D3D10_BIND_RENDER_TARGET = 0x20,
    D3D10_BIND_DEPTH_STENCIL = 0x40,
};

enum D3D10_PRIMITIVE_TOPOLOGY {
    D3D10_PRIMITIVE_TOPOLOGY_UNDEFINED = 0,
    D3D10_PRIMITIVE_TOPOLOGY_POINTLIST = 1,
    D3D10_PRIMITIVE_TOPOLOGY_LINELIST = 2,
    D3D10_PRIMITIVE_TOPOLOGY_LINESTRIP = 3,
    D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST = 4,
    D3D10_PRIMITIVE_TOPOLOGY_TRIANGLESTRIP = 5,
};

enum D3D10_INPUT_CLASSIFICATION {
    D3D10_INPUT_PER_VERTEX_DATA = 0,
    D3D10_INPUT_PER_INSTANCE_DATA = 1,
};

enum D3D10_FILL_MODE { D3D10_FILL_WIREFRAME = 2, D3D10_FILL_SOLID = 3 };
enum D3D10_CULL_MODE { D3D10_CULL_NONE = 1, D3D10_CULL_FRONT = 2, D3D10_CULL_BACK = 3 };

enum D3D10_BLEND {
    D3D10_BLEND_ZERO = 1,
    D3D10_BLEND_ONE = 2,
    D3D10_BLEND_SRC_COLOR = 3,
    D3D10_BLEND_INV_SRC_COLOR = 4,
    D3D10_BLEND_SRC_ALPHA = 5,
    D3D10_BLEND_INV_SRC_ALPHA = 6,
    D3D10_BLEND_DEST_ALPHA = 7,
    D3D10_BLEND_INV_DEST_ALPHA = 8,
    D3D10_BLEND_DEST_COLOR = 9,
    D3D10_BLEND_INV_DEST_COLOR = 10,
    D3D10_BLEND_SRC_ALPHA_SAT = 11,
    D3D10_BLEND_BLEND_FACTOR = 14,
    D3D10_BLEND_INV_BLEND_FACTOR = 15,
    D3D10_BLEND_SRC1_COLOR = 16,
    D3D10_BLEND_INV_SRC1_COLOR = 17,
    D3D10_BLEND_SRC1_ALPHA = 18,
    D3D10_BLEND_INV_SRC1_ALPHA = 19,
};

enum D3D10_BLEND_OP {
    D3D10_BLEND_OP_ADD = 1,
    D3D10_BLEND_OP_SUBTRACT = 2,
    D3D10_BLEND_OP_REV_SUBTRACT = 3,
    D3D10_BLEND_OP_MIN = 4,
    D3D10_BLEND_OP_MAX = 5,
};

enum D3D10_COLOR_WRITE_ENABLE {
    D3D10_COLOR_WRITE_ENABLE_RED = 1,
    D3D10_COLOR_WRITE_ENABLE_GREEN = 2,
    D3D10_COLOR_WRITE_ENABLE_BLUE = 4,
    D3D10_COLOR_WRITE_ENABLE_ALPHA = 8,
    D3D10_COLOR_WRITE_ENABLE_ALL = 15,
};

enum D3D10_COMPARISON_FUNC {
    D3D10_COMPARISON_NEVER = 1,
    D3D10_COMPARISON_LESS = 2,
    D3D10_COMPARISON_EQUAL = 3,
    D3D10_COMPARISON_LESS_EQUAL = 4,
    D3D10_COMPARISON_GREATER = 5,
    D3D10_COMPARISON_NOT_EQUAL = 6,
    D3D10_COMPARISON_GREATER_EQUAL = 7,
    D3D10_COMPARISON_ALWAYS = 8,
};

enum D3D10_DEPTH_WRITE_MASK { D3D10_DEPTH_WRITE_MASK_ZERO = 0, D3D10_DEPTH_WRITE_MASK_ALL = 1 };

enum D3D10_STENCIL_OP {
    D3D10_STENCIL_OP_KEEP = 1,
    D3D10_STENCIL_OP_ZERO = 2,
    D3D10_STENCIL_OP_REPLACE = 3,
    D3D10_STENCIL_OP_INCR_SAT = 4,
    D3D10_STENCIL_OP_DECR_SAT = 5,
    D3D10_STENCIL_OP_INVERT = 6,
    D3D10_STENCIL_OP_INCR = 7,
    D3D10_STENCIL_OP_DECR = 8,
};

enum D3D10_FILTER {
    D3D10_FILTER_MIN_MAG_MIP_POINT = 0,
    D3D10_FILTER_MIN_MAG_POINT_MIP_LINEAR = 0x1,
    D3D10_FILTER_MIN_POINT_MAG_LINEAR_MIP_POINT = 0x4,
    D3D10_FILTER_MIN_POINT_MAG_MIP_LINEAR = 0x5,
    D3D10_FILTER_MIN_LINEAR_MAG_MIP_POINT = 0x10,
    D3D10_FILTER_MIN_LINEAR_MAG_POINT_MIP_LINEAR = 0x11,
    D3D10_FILTER_MIN_MAG_LINEAR_MIP_POINT = 0x14,
    D3D10_FILTER_MIN_MAG_MIP_LINEAR = 0x15,
    D3D10_FILTER_ANISOTROPIC = 0x55,
};

enum D3D10_TEXTURE_ADDRESS_MODE {
    D3D10_TEXTURE_ADDRESS_WRAP = 1,
    D3D10_TEXTURE_ADDRESS_MIRROR = 2,
    D3D10_TEXTURE_ADDRESS_CLAMP = 3,
    D3D10_TEXTURE_ADDRESS_BORDER = 4,
    D3D10_TEXTURE_ADDRESS_MIRROR_ONCE = 5,
};

enum D3D10_RTV_DIMENSION {
    D3D10_RTV_DIMENSION_UNKNOWN = 0,
    D3D10_RTV_DIMENSION_BUFFER = 1,
    D3D10_RTV_DIMENSION_TEXTURE1D = 2,
    D3D10_RTV_DIMENSION_TEXTURE1DARRAY = 3,
    D3D10_RTV_DIMENSION_TEXTURE2D = 4,
    D3D10_RTV_DIMENSION_TEXTURE2DARRAY = 5,
    D3D10_RTV_DIMENSION_TEXTURE2DMS = 6,
    D3D10_RTV_DIMENSION_TEXTURE2DMSARRAY = 7,
    D3D10_RTV_DIMENSION_TEXTURE3D = 8,
};

enum D3D10_DSV_DIMENSION {
    D3D10_DSV_DIMENSION_UNKNOWN = 0,
    D3D10_DSV_DIMENSION_TEXTURE1D = 1,
    D3D10_DSV_DIMENSION_TEXTURE1DARRAY = 2,
    D3D10_DSV_DIMENSION_TEXTURE2D = 3,
    D3D10_DSV_DIMENSION_TEXTURE2DARRAY = 4,
    D3D10_DSV_DIMENSION_TEXTURE2DMS = 5,
    D3D10_DSV_DIMENSION_TEXTURE2DMSARRAY = 6,
};

enum D3D10_SRV_DIMENSION {
    D3D10_SRV_DIMENSION_UNKNOWN = 0,
    D3D10_SRV_DIMENSION_BUFFER = 1,
    D3D10_SRV_DIMENSION_TEXTURE1D = 2,
    D3D10_SRV_DIMENSION_TEXTURE1DARRAY = 3,
    D3D10_SRV_DIMENSION_TEXTURE2D = 4,
    D3D10_SRV_DIMENSION_TEXTURE2DARRAY = 5,
    D3D10_SRV_DIMENSION_TEXTURE2DMS = 6,
    D3D10_SRV_DIMENSION_TEXTURE2DMSARRAY = 7,
    D3D10_SRV_DIMENSION_TEXTURE3D = 8,
    D3D10_SRV_DIMENSION_TEXTURECUBE = 9,
};

enum D3D10_CLEAR_FLAG { D3D10_CLEAR_DEPTH = 0x1, D3D10_CLEAR_STENCIL = 0x2 };

// Descriptions.
struct D3D10_BUFFER_DESC {
    UINT ByteWidth;
    D3D10_USAGE Usage;
    UINT BindFlags;
    UINT CPUAccessFlags;
    UINT MiscFlags;
};

struct D3D10_SUBRESOURCE_DATA {
    const void* pSysMem;
    UINT SysMemPitch;
    UINT SysMemSlicePitch;
};

struct D3D10_TEXTURE2D_DESC {
    UINT Width;
    UINT Height;
    UINT MipLevels;
    UINT ArraySize;
    DXGI_FORMAT Format;
    DXGI_SAMPLE_DESC SampleDesc;
    D3D10_USAGE Usage;
    UINT BindFlags;
    UINT CPUAccessFlags;
    UINT MiscFlags;
};

struct D3D10_TEX2D_RTV { UINT MipSlice; };
struct D3D10_TEX2DMS_RTV { UINT UnusedField_NothingToDefine; };
struct D3D10_RENDER_TARGET_VIEW_DESC {
    DXGI_FORMAT Format;
    D3D10_RTV_DIMENSION ViewDimension;
    union {
        D3D10_TEX2D_RTV Texture2D;
        D3D10_TEX2DMS_RTV Texture2DMS;
    };
};

struct D3D10_TEX2D_DSV { UINT MipSlice; };
struct D3D10_TEX2DMS_DSV { UINT UnusedField_NothingToDefine; };
struct D3D10_DEPTH_STENCIL_VIEW_DESC {
    DXGI_FORMAT Format;
    D3D10_DSV_DIMENSION ViewDimension;
    union {
        D3D10_TEX2D_DSV Texture2D;
        D3D10_TEX2DMS_DSV Texture2DMS;
    };
};

struct D3D10_TEX2D_SRV { UINT MostDetailedMip; UINT MipLevels; };
struct D3D10_TEX2DMS_SRV { UINT UnusedField_NothingToDefine; };
struct D3D10_SHADER_RESOURCE_VIEW_DESC {
    DXGI_FORMAT Format;
    D3D10_SRV_DIMENSION ViewDimension;
    union {
        D3D10_TEX2D_SRV Texture2D;
        D3D10_TEX2DMS_SRV Texture2DMS;
    };
};

struct D3D10_INPUT_ELEMENT_DESC {
    LPCSTR SemanticName;
    UINT SemanticIndex;
    DXGI_FORMAT Format;
    UINT InputSlot;
    UINT AlignedByteOffset;
    D3D10_INPUT_CLASSIFICATION InputSlotClass;
    UINT InstanceDataStepRate;
};

struct D3D10_RASTERIZER_DESC {
    D3D10_FILL_MODE FillMode;
    D3D10_CULL_MODE CullMode;
    BOOL FrontCounterClockwise;
    INT DepthBias;
    FLOAT DepthBiasClamp;
    FLOAT SlopeScaledDepthBias;
    BOOL DepthClipEnable;
    BOOL ScissorEnable;
    BOOL MultisampleEnable;
    BOOL AntialiasedLineEnable;
};

struct D3D10_BLEND_DESC {
    BOOL AlphaToCoverageEnable;
    BOOL BlendEnable[8];
    D3D10_BLEND SrcBlend;
    D3D10_BLEND DestBlend;
    D3D10_BLEND_OP BlendOp;
    D3D10_BLEND SrcBlendAlpha;
    D3D10_BLEND DestBlendAlpha;
    D3D10_BLEND_OP BlendOpAlpha;
    uint8_t RenderTargetWriteMask[8];
};

struct D3D10_DEPTH_STENCILOP_DESC {
    D3D10_STENCIL_OP StencilFailOp;
    D3D10_STENCIL_OP StencilDepthFailOp;
    D3D10_STENCIL_OP StencilPassOp;
    D3D10_COMPARISON_FUNC StencilFunc;
};

struct D3D10_DEPTH_STENCIL_DESC {
    BOOL DepthEnable;
    D3D10_DEPTH_WRITE_MASK DepthWriteMask;
    D3D10_COMPARISON_FUNC DepthFunc;
    BOOL StencilEnable;
    uint8_t StencilReadMask;
    uint8_t StencilWriteMask;
    D3D10_DEPTH_STENCILOP_DESC FrontFace;
    D3D10_DEPTH_STENCILOP_DESC BackFace;
};

struct D3D10_SAMPLER_DESC {
    D3D10_FILTER Filter;
    D3D10_TEXTURE_ADDRESS_MODE AddressU;
    D3D10_TEXTURE_ADDRESS_MODE AddressV;
    D3D10_TEXTURE_ADDRESS_MODE AddressW;
    FLOAT MipLODBias;
    UINT MaxAnisotropy;
    D3D10_COMPARISON_FUNC ComparisonFunc;
    FLOAT BorderColor[4];
    FLOAT MinLOD;
    FLOAT MaxLOD;
};

struct D3D10_VIEWPORT {
    INT TopLeftX;
    INT TopLeftY;
    UINT Width;
    UINT Height;
    FLOAT MinDepth;
    FLOAT MaxDepth;
};

// Interface identifiers.
extern const IID IID_ID3D10Device;
extern const IID IID_ID3D10Resource;
extern const IID IID_ID3D10Buffer;
extern const IID IID_ID3D10Texture2D;
extern const IID IID_ID3D10Effect;

struct ID3D10Device;

struct ID3D10DeviceChild : IUnknown {
    virtual void GetDevice(ID3D10Device** device) = 0;
};

struct ID3D10Resource : ID3D10DeviceChild {};

struct ID3D10Buffer : ID3D10Resource {
    virtual void GetDesc(D3D10_BUFFER_DESC* desc) = 0;
};

struct ID3D10Texture2D : ID3D10Resource {
    virtual void GetDesc(D3D10_TEXTURE2D_DESC* desc) = 0;
};

struct ID3D10View : ID3D10DeviceChild {
    virtual void GetResource(ID3D10Resource** resource) = 0;
};

struct ID3D10RenderTargetView : ID3D10View {
    virtual void GetDesc(D3D10_RENDER_TARGET_VIEW_DESC* desc) = 0;
};

struct ID3D10DepthStencilView : ID3D10View {
    virtual void GetDesc(D3D10_DEPTH_STENCIL_VIEW_DESC* desc) = 0;
};

struct ID3D10ShaderResourceView : ID3D10View {
    virtual void GetDesc(D3D10_SHADER_RESOURCE_VIEW_DESC* desc) = 0;
};

struct ID3D10InputLayout : ID3D10DeviceChild {};

struct ID3D10RasterizerState : ID3D10DeviceChild {
    virtual void GetDesc(D3D10_RASTERIZER_DESC* desc) = 0;
};

struct ID3D10BlendState : ID3D10DeviceChild {
    virtual void GetDesc(D3D10_BLEND_DESC* desc) = 0;
};

struct ID3D10DepthStencilState : ID3D10DeviceChild {
    virtual void GetDesc(D3D10_DEPTH_STENCIL_DESC* desc) = 0;
};

struct ID3D10SamplerState : ID3D10DeviceChild {
    virtual void GetDesc(D3D10_SAMPLER_DESC* desc) = 0;
};

struct ID3D10Device : IUnknown {
    // Creation.
    virtual HRESULT CreateBuffer(const D3D10_BUFFER_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                                 ID3D10Buffer** buffer) = 0;
    virtual HRESULT CreateTexture2D(const D3D10_TEXTURE2D_DESC* desc, const D3D10_SUBRESOURCE_DATA* initialData,
                                    ID3D10Texture2D** texture) = 0;
    virtual HRESULT CreateShaderResourceView(ID3D10Resource* resource, const D3D10_SHADER_RESOURCE_VIEW_DESC* desc,
                                             ID3D10ShaderResourceView** view) = 0;
    virtual HRESULT CreateRenderTargetView(ID3D10Resource* resource, const D3D10_RENDER_TARGET_VIEW_DESC* desc,
                                           ID3D10RenderTargetView** view) = 0;
    virtual HRESULT CreateDepthStencilView(ID3D10Resource* resource, const D3D10_DEPTH_STENCIL_VIEW_DESC* desc,
                                           ID3D10DepthStencilView** view) = 0;
    virtual HRESULT CreateInputLayout(const D3D10_INPUT_ELEMENT_DESC* elements, UINT elementCount,
                                      const void* shaderBytecodeWithInputSignature, SIZE_T bytecodeLength,
                                      ID3D10InputLayout** layout) = 0;
    virtual HRESULT CreateRasterizerState(const D3D10_RASTERIZER_DESC* desc, ID3D10RasterizerState** state) = 0;
    virtual HRESULT CreateBlendState(const D3D10_BLEND_DESC* desc, ID3D10BlendState** state) = 0;
    virtual HRESULT CreateDepthStencilState(const D3D10_DEPTH_STENCIL_DESC* desc,
                                            ID3D10DepthStencilState** state) = 0;
    virtual HRESULT CreateSamplerState(const D3D10_SAMPLER_DESC* desc, ID3D10SamplerState** state) = 0;

    // Input assembler.
    virtual void IASetInputLayout(ID3D10InputLayout* layout) = 0;
    virtual void IASetVertexBuffers(UINT startSlot, UINT bufferCount, ID3D10Buffer* const* buffers,
                                    const UINT* strides, const UINT* offsets) = 0;
    virtual void IASetPrimitiveTopology(D3D10_PRIMITIVE_TOPOLOGY topology) = 0;

    // Rasterizer.
    virtual void RSSetState(ID3D10RasterizerState* state) = 0;
    virtual void RSSetViewports(UINT viewportCount, const D3D10_VIEWPORT* viewports) = 0;

    // Output merger.
    virtual void OMSetRenderTargets(UINT viewCount, ID3D10RenderTargetView* const* renderTargetViews,
                                    ID3D10DepthStencilView* depthStencilView) = 0;
    virtual void OMSetBlendState(ID3D10BlendState* state, const FLOAT blendFactor[4], UINT sampleMask) = 0;
    virtual void OMSetDepthStencilState(ID3D10DepthStencilState* state, UINT stencilRef) = 0;

    // Pixel-shader resources and samplers, by slot.
    virtual void PSSetShaderResources(UINT startSlot, UINT viewCount, ID3D10ShaderResourceView* const* views) = 0;
    virtual void PSSetSamplers(UINT startSlot, UINT samplerCount, ID3D10SamplerState* const* samplers) = 0;

    // Work.
    virtual void ClearRenderTargetView(ID3D10RenderTargetView* view, const FLOAT colorRGBA[4]) = 0;
    virtual void ClearDepthStencilView(ID3D10DepthStencilView* view, UINT clearFlags, FLOAT depth,
                                       uint8_t stencil) = 0;
    virtual void Draw(UINT vertexCount, UINT startVertexLocation) = 0;
    virtual void ClearState() = 0;
    virtual void Flush() = 0;
};

// Compiled code and other binary data.
struct ID3D10Blob : IUnknown {
    virtual LPVOID GetBufferPointer() = 0;
    virtual SIZE_T GetBufferSize() = 0;
};
typedef ID3D10Blob* LPD3D10BLOB;
HRESULT D3D10CreateBlob(SIZE_T size, ID3D10Blob** blob);

// The effect framework.
struct D3D10_SHADER_MACRO {
    LPCSTR Name;
    LPCSTR Definition;
};
struct ID3D10Include;
struct ID3D10EffectPool;

struct D3D10_PASS_DESC {
    LPCSTR Name;
    UINT Annotations;
    const BYTE* pIAInputSignature;
    SIZE_T IAInputSignatureSize;
    UINT StencilRef;
    UINT SampleMask;
    FLOAT BlendFactor[4];
};

struct D3D10_TECHNIQUE_DESC {
    LPCSTR Name;
    UINT Passes;
    UINT Annotations;
};

struct D3D10_EFFECT_VARIABLE_DESC {
    LPCSTR Name;
    LPCSTR Semantic;
    UINT Flags;
    UINT Annotations;
    UINT BufferOffset;
    UINT ExplicitBindPoint;
};

struct ID3D10EffectScalarVariable;
struct ID3D10EffectMatrixVariable;
struct ID3D10EffectShaderResourceVariable;

// Effect sub-objects are owned by their effect and are not reference counted.
// A lookup by a name the effect lacks gives an object whose IsValid is false
// and whose calls fail with E_FAIL, never a null pointer.
struct ID3D10EffectVariable {
    virtual BOOL IsValid() = 0;
    virtual HRESULT GetDesc(D3D10_EFFECT_VARIABLE_DESC* desc) = 0;
    virtual ID3D10EffectScalarVariable* AsScalar() = 0;
    virtual ID3D10EffectMatrixVariable* AsMatrix() = 0;
    virtual ID3D10EffectShaderResourceVariable* AsShaderResource() = 0;

protected:
    virtual ~ID3D10EffectVariable() = default;
};

struct ID3D10EffectScalarVariable : ID3D10EffectVariable {
    virtual HRESULT SetFloat(float value) = 0;
    virtual HRESULT GetFloat(float* value) = 0;
};

struct ID3D10EffectMatrixVariable : ID3D10EffectVariable {
    // Takes 16 floats, row by row.
    virtual HRESULT SetMatrix(float* data) = 0;
    virtual HRESULT GetMatrix(float* data) = 0;
};

struct ID3D10EffectShaderResourceVariable : ID3D10EffectVariable {
    virtual HRESULT SetResource(ID3D10ShaderResourceView* resource) = 0;
    virtual HRESULT GetResource(ID3D10ShaderResourceView** resource) = 0;
};

struct ID3D10EffectPass {
    virtual BOOL IsValid() = 0;
    virtual HRESULT GetDesc(D3D10_PASS_DESC* desc) = 0;
    virtual HRESULT Apply(UINT flags) = 0;

protected:
    virtual ~ID3D10EffectPass() = default;
};

struct ID3D10EffectTechnique {
    virtual BOOL IsValid() = 0;
    virtual HRESULT GetDesc(D3D10_TECHNIQUE_DESC* desc) = 0;
    virtual ID3D10EffectPass* GetPassByIndex(UINT index) = 0;
    virtual ID3D10EffectPass* GetPassByName(LPCSTR name) = 0;

protected:
    virtual ~ID3D10EffectTechnique() = default;
};

struct ID3D10Effect : IUnknown {
    virtual BOOL IsValid() = 0;
    virtual HRESULT GetDevice(ID3D10Device** device) = 0;
    virtual ID3D10EffectVariable* GetVariableByName(LPCSTR name) = 0;
    virtual ID3D10EffectTechnique* GetTechniqueByName(LPCSTR name) = 0;
    virtual ID3D10EffectTechnique* GetTechniqueByIndex(UINT index) = 0;
};

// Entry points.
HRESULT D3D10CreateDeviceAndSwapChain(void* adapter, D3D10_DRIVER_TYPE driverType, HMODULE software, UINT flags,
                                      UINT sdkVersion, DXGI_SWAP_CHAIN_DESC* swapChainDesc,
                                      IDXGISwapChain** swapChain, ID3D10Device** device);

HRESULT D3D10CompileEffectFromMemory(void* data, SIZE_T dataLength, LPCSTR srcFileName,
                                     const D3D10_SHADER_MACRO* defines, ID3D10Include* include, UINT hlslFlags,
                                     UINT fxFlags, ID3D10Blob** compiledEffect, ID3D10Blob** errors);

HRESULT D3D10CreateEffectFromMemory(void* data, SIZE_T dataLength, UINT fxFlags, ID3D10Device* device,
                                    ID3D10EffectPool* effectPool, ID3D10Effect** effect);
