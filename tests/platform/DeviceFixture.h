// A window with a real device and swap chain, and small helpers to compile
// effects and feed vertices, for the rendering tests of the platform.
#pragma once

#include <PlatformTesting.h>
#include <d3d10.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace device_test {

inline LRESULT PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

inline HWND MakeWindow(int width, int height) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    static const ATOM atom = [] {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = PlainProc;
        windowClass.lpszClassName = "DeviceTestClass";
        return RegisterClassExA(&windowClass);
    }();
    EXPECT_NE(atom, 0);
    return CreateWindowExA(0, "DeviceTestClass", "device test", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           width, height, nullptr, nullptr, nullptr, nullptr);
}

inline DXGI_SWAP_CHAIN_DESC SwapChainDesc(HWND window, UINT width, UINT height, UINT samples, UINT quality) {
    DXGI_SWAP_CHAIN_DESC desc = {};
    desc.BufferDesc.Width = width;
    desc.BufferDesc.Height = height;
    desc.BufferDesc.RefreshRate = {60, 1};
    desc.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc = {samples, quality};
    desc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    desc.BufferCount = 1;
    desc.OutputWindow = window;
    desc.Windowed = TRUE;
    return desc;
}

// Position and colour: 24 bytes.
struct ColourVertex {
    float x, y, z;
    float r, g, b;
};

// Position and texture coordinate: 20 bytes.
struct TexturedVertex {
    float x, y, z;
    float u, v;
};

// Shaders that draw vertices in their colours, moved by the matrix
// "Transform"; effects add their own states and techniques to them.
inline const std::string kColourShaders = R"(
float4x4 Transform;

struct VS_INPUT { float3 position : POSITION; float3 colour : COLOR; };
struct PS_INPUT { float4 position : SV_POSITION; float3 colour : COLOR0; };

PS_INPUT VS(VS_INPUT input)
{
    PS_INPUT output;
    output.position = mul(float4(input.position, 1.0), Transform);
    output.colour = input.colour;
    return output;
}

float4 PS(PS_INPUT input) : SV_Target { return float4(input.colour, 1.0); }
)";

// One pass of the colour shaders, naming no state.
inline const std::string kColourEffect = kColourShaders + R"(
technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
}
)";

// Samples "Image" without filtering at the vertices' texture coordinates.
inline const char* const kTexturedEffect = R"(
Texture2D Image;

SamplerState PointSampler
{
    Filter = MIN_MAG_MIP_POINT;
    AddressU = Clamp;
    AddressV = Clamp;
};

struct VS_INPUT { float3 position : POSITION; float2 texcoord : TEXCOORD; };
struct PS_INPUT { float4 position : SV_POSITION; float2 texcoord : TEXCOORD0; };

PS_INPUT VS(VS_INPUT input)
{
    PS_INPUT output;
    output.position = float4(input.position, 1.0);
    output.texcoord = input.texcoord;
    return output;
}

float4 PS(PS_INPUT input) : SV_Target { return Image.Sample(PointSampler, input.texcoord); }

technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
}
)";

inline const D3D10_INPUT_ELEMENT_DESC kColourElements[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
    {"COLOR", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
};

inline const D3D10_INPUT_ELEMENT_DESC kTexturedElements[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
    {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
};

inline const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Channels of 0xRRGGBBAA within a tolerance.
inline ::testing::AssertionResult ColourNear(uint32_t actual, uint32_t expected, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
        int a = static_cast<int>((actual >> shift) & 0xff);
        int e = static_cast<int>((expected >> shift) & 0xff);
        if (std::abs(a - e) > tolerance) {
            char text[64];
            std::snprintf(text, sizeof text, "0x%08x is not near 0x%08x", actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

// A device and swap chain on a fresh window of the given size, with the
// back buffer's render-target view and a matching viewport bound.
class DeviceTest : public ::testing::Test {
protected:
    static constexpr UINT kWidth = 64;
    static constexpr UINT kHeight = 48;

    void SetUp() override { CreateDevice(1, 0); }

    void CreateDevice(UINT samples, UINT quality) {
        window_ = MakeWindow(kWidth, kHeight);
        ASSERT_NE(window_, nullptr);
        CreateDeviceFor(SwapChainDesc(window_, kWidth, kHeight, samples, quality));
    }

    // The device and swap chain a description of window_ asks for, with the
    // back buffer's view bound and a viewport over the whole buffer.
    void CreateDeviceFor(DXGI_SWAP_CHAIN_DESC desc) {
        ASSERT_EQ(D3D10CreateDeviceAndSwapChain(nullptr, D3D10_DRIVER_TYPE_HARDWARE, nullptr, 0, D3D10_SDK_VERSION,
                                                &desc, &swapChain_, &device_),
                  S_OK);
        ASSERT_EQ(swapChain_->GetBuffer(0, IID_ID3D10Texture2D, reinterpret_cast<void**>(&backBuffer_)), S_OK);
        ASSERT_EQ(device_->CreateRenderTargetView(backBuffer_, nullptr, &backBufferView_), S_OK);
        device_->OMSetRenderTargets(1, &backBufferView_, nullptr);
        SetViewport(0, 0, desc.BufferDesc.Width, desc.BufferDesc.Height);
    }

    void TearDown() override {
        if (device_) device_->ClearState();
        for (IUnknown* object : owned_) object->Release();
        if (effect_) effect_->Release();
        if (backBufferView_) backBufferView_->Release();
        if (backBuffer_) backBuffer_->Release();
        if (swapChain_) swapChain_->Release();
        if (device_) {
            EXPECT_EQ(device_->Release(), 0u) << "something made in the test was not released";
        }
        if (window_) DestroyWindow(window_);
    }

    void SetViewport(INT x, INT y, UINT width, UINT height) {
        D3D10_VIEWPORT viewport = {x, y, width, height, 0.0f, 1.0f};
        device_->RSSetViewports(1, &viewport);
    }

    // Compiles the source as an effect on the device; the fixture releases it.
    ID3D10Effect* LoadEffect(const std::string& source) {
        ID3D10Blob* compiled = nullptr;
        std::string text(source);
        HRESULT result = D3D10CompileEffectFromMemory(&text[0], text.size(), "test.fx", nullptr, nullptr,
                                                      D3D10_SHADER_ENABLE_STRICTNESS, 0, &compiled, nullptr);
        EXPECT_EQ(result, S_OK);
        if (FAILED(result)) return nullptr;
        ID3D10Effect* effect = nullptr;
        result = D3D10CreateEffectFromMemory(compiled->GetBufferPointer(), compiled->GetBufferSize(), 0, device_,
                                             nullptr, &effect);
        compiled->Release();
        EXPECT_EQ(result, S_OK);
        if (effect_) effect_->Release();
        effect_ = effect;
        return effect;
    }

    // Loads an effect with a matrix "Transform" (kColourEffect, say) and sets
    // that matrix to the identity.
    void LoadWithIdentityTransform(const std::string& source) {
        ASSERT_NE(LoadEffect(source), nullptr);
        ASSERT_EQ(effect_->GetVariableByName("Transform")->AsMatrix()->SetMatrix(const_cast<float*>(kIdentity)), S_OK);
    }

    ID3D10EffectPass* Pass(UINT index = 0) { return effect_->GetTechniqueByName("Render")->GetPassByIndex(index); }

    // Makes a vertex buffer and a layout against the pass and binds both.
    template <class Vertex, size_t N>
    void BindVertices(const Vertex (&vertices)[N], const D3D10_INPUT_ELEMENT_DESC* elements, UINT elementCount,
                      ID3D10EffectPass* pass) {
        D3D10_PASS_DESC passDesc;
        ASSERT_EQ(pass->GetDesc(&passDesc), S_OK);
        ID3D10InputLayout* layout = nullptr;
        ASSERT_EQ(device_->CreateInputLayout(elements, elementCount, passDesc.pIAInputSignature,
                                             passDesc.IAInputSignatureSize, &layout),
                  S_OK);
        owned_.push_back(layout);
        D3D10_BUFFER_DESC bufferDesc = {sizeof vertices, D3D10_USAGE_DEFAULT, D3D10_BIND_VERTEX_BUFFER, 0, 0};
        D3D10_SUBRESOURCE_DATA data = {vertices, 0, 0};
        ID3D10Buffer* buffer = nullptr;
        ASSERT_EQ(device_->CreateBuffer(&bufferDesc, &data, &buffer), S_OK);
        owned_.push_back(buffer);
        UINT stride = sizeof(Vertex), offset = 0;
        device_->IASetInputLayout(layout);
        device_->IASetVertexBuffers(0, 1, &buffer, &stride, &offset);
        device_->IASetPrimitiveTopology(D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    }

    // Keeps an object until the test ends.
    template <class T>
    T* Own(T* object) {
        owned_.push_back(object);
        return object;
    }

    HWND window_ = nullptr;
    ID3D10Device* device_ = nullptr;
    IDXGISwapChain* swapChain_ = nullptr;
    ID3D10Texture2D* backBuffer_ = nullptr;
    ID3D10RenderTargetView* backBufferView_ = nullptr;
    ID3D10Effect* effect_ = nullptr;
    std::vector<IUnknown*> owned_;
};

}  // namespace device_test
