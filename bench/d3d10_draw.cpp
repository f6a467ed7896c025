// Cost of the calls a scene part makes per frame: SetMatrix, Apply, Draw,
// and the frame's Present, on a small offscreen window so that the GPU's
// share stays small against the layer's own.
#include <benchmark/benchmark.h>
#include <d3d10.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const kEffect = R"(
float4x4 Transform;
float Shade;
struct VS_INPUT { float3 position : POSITION; };
float4 VS(VS_INPUT input) : SV_POSITION { return mul(float4(input.position, 1.0), Transform); }
float4 PS() : SV_Target { return float4(Shade, Shade, Shade, 1.0); }
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

LRESULT Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        std::fprintf(stderr, "%s failed: 0x%08x\n", what, static_cast<unsigned>(result));
        std::exit(1);
    }
}

struct Scene {
    HWND window = nullptr;
    ID3D10Device* device = nullptr;
    IDXGISwapChain* swapChain = nullptr;
    ID3D10RenderTargetView* target = nullptr;
    ID3D10Effect* effect = nullptr;
    ID3D10EffectPass* pass = nullptr;
    ID3D10EffectMatrixVariable* transform = nullptr;

    Scene() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Proc;
        windowClass.lpszClassName = "DrawBench";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "DrawBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                                 nullptr, nullptr);
        DXGI_SWAP_CHAIN_DESC desc = {};
        desc.BufferDesc = {64, 64, {60, 1}, DXGI_FORMAT_R8G8B8A8_UNORM, DXGI_MODE_SCANLINE_ORDER_UNSPECIFIED,
                           DXGI_MODE_SCALING_UNSPECIFIED};
        desc.SampleDesc = {1, 0};
        desc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
        desc.BufferCount = 1;
        desc.OutputWindow = window;
        desc.Windowed = TRUE;
        Check(D3D10CreateDeviceAndSwapChain(nullptr, D3D10_DRIVER_TYPE_HARDWARE, nullptr, 0, D3D10_SDK_VERSION, &desc,
                                            &swapChain, &device),
              "device");
        ID3D10Texture2D* backBuffer = nullptr;
        Check(swapChain->GetBuffer(0, IID_ID3D10Texture2D, reinterpret_cast<void**>(&backBuffer)), "back buffer");
        Check(device->CreateRenderTargetView(backBuffer, nullptr, &target), "target");
        backBuffer->Release();
        device->OMSetRenderTargets(1, &target, nullptr);
        D3D10_VIEWPORT viewport = {0, 0, 64, 64, 0.0f, 1.0f};
        device->RSSetViewports(1, &viewport);

        std::string source = kEffect;
        ID3D10Blob* compiled = nullptr;
        Check(D3D10CompileEffectFromMemory(&source[0], source.size(), "bench.fx", nullptr, nullptr, 0, 0, &compiled,
                                           nullptr),
              "compile");
        Check(D3D10CreateEffectFromMemory(compiled->GetBufferPointer(), compiled->GetBufferSize(), 0, device, nullptr,
                                          &effect),
              "effect");
        compiled->Release();
        pass = effect->GetTechniqueByName("Render")->GetPassByIndex(0);
        transform = effect->GetVariableByName("Transform")->AsMatrix();

        const float triangle[9] = {0, 0.1f, 0, 0.1f, -0.1f, 0, -0.1f, -0.1f, 0};
        D3D10_PASS_DESC passDesc;
        Check(pass->GetDesc(&passDesc), "pass");
        const D3D10_INPUT_ELEMENT_DESC element = {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0,
                                                  D3D10_INPUT_PER_VERTEX_DATA, 0};
        ID3D10InputLayout* layout = nullptr;
        Check(device->CreateInputLayout(&element, 1, passDesc.pIAInputSignature, passDesc.IAInputSignatureSize,
                                        &layout),
              "layout");
        D3D10_BUFFER_DESC bufferDesc = {sizeof triangle, D3D10_USAGE_DEFAULT, D3D10_BIND_VERTEX_BUFFER, 0, 0};
        D3D10_SUBRESOURCE_DATA data = {triangle, 0, 0};
        ID3D10Buffer* buffer = nullptr;
        Check(device->CreateBuffer(&bufferDesc, &data, &buffer), "buffer");
        UINT stride = 12, offset = 0;
        device->IASetInputLayout(layout);
        device->IASetVertexBuffers(0, 1, &buffer, &stride, &offset);
        device->IASetPrimitiveTopology(D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
        layout->Release();
        buffer->Release();
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void BM_SetMatrixApplyDraw(benchmark::State& state) {
    Scene& scene = TheScene();
    float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (auto _ : state) {
        matrix[12] = matrix[12] > 0.5f ? -0.5f : matrix[12] + 0.01f;
        Check(scene.transform->SetMatrix(matrix), "SetMatrix");
        Check(scene.pass->Apply(0), "Apply");
        scene.device->Draw(3, 0);
    }
    scene.device->Flush();
}
BENCHMARK(BM_SetMatrixApplyDraw);

void BM_ApplyDrawUnchanged(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) {
        Check(scene.pass->Apply(0), "Apply");
        scene.device->Draw(3, 0);
    }
    scene.device->Flush();
}
BENCHMARK(BM_ApplyDrawUnchanged);

void BM_ClearAndPresent(benchmark::State& state) {
    Scene& scene = TheScene();
    const FLOAT black[4] = {0, 0, 0, 1};
    for (auto _ : state) {
        scene.device->ClearRenderTargetView(scene.target, black);
        Check(scene.swapChain->Present(0, 0), "Present");
    }
}
BENCHMARK(BM_ClearAndPresent);

}  // namespace

BENCHMARK_MAIN();
