// The program's entry point: the main window, the device objects, the show
// and the frame loop. Compiled once per build configuration.
#include "framework.h"
#include "globals.h"
#include "shell.h"

#include "Demo.h"

#include <gdiplus.h>
#include <windows.h>

#include <sstream>

#ifndef BRIMVALE_WINDOWED
#error "BRIMVALE_WINDOWED selects the build configuration"
#endif

HINSTANCE instanceHandle = nullptr;
HWND mainWindow = nullptr;
ID3D10Device* device = nullptr;
IDXGISwapChain* swapChain = nullptr;
ID3D10RenderTargetView* backBufferView = nullptr;
ID3D10Texture2D* depthTexture = nullptr;
ID3D10DepthStencilView* depthStencilView = nullptr;
ID3D10RasterizerState* rasterizerState = nullptr;
VRK::Demo* demo = nullptr;

#if BRIMVALE_WINDOWED
int screenWidth = 800;
int screenHeight = 600;
float aspectRatio = 1.3333334f;
bool windowed = true;
bool multisampleEnable = false;
int sampleCount = 1;
int sampleQuality = 0;
#else
int screenWidth = 1280;
int screenHeight = 1024;
float aspectRatio;
bool windowed = false;
bool multisampleEnable = true;
int sampleCount = 8;
int sampleQuality = 16;

void InitAspectRatio() {
    aspectRatio = static_cast<float>(static_cast<double>(screenWidth) / static_cast<double>(screenHeight));
}

namespace {
// Runs among the static initialisers, before the entry point.
const bool aspectRatioInitialised = (InitAspectRatio(), true);
}  // namespace
#endif

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int CreateMainWindow(HINSTANCE instance, int showCommand) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = "VRKWindow";
    windowClass.hIconSm = nullptr;
    RegisterClassExA(&windowClass);

    instanceHandle = instance;

    RECT rect = {0, 0, screenWidth, screenHeight};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    mainWindow = CreateWindowExA(0, "VRKWindow", "VRK", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance,
                                 nullptr);
    ShowWindow(mainWindow, showCommand);
    return 0;
}

// The device objects without the show; the tests build on this too.
void CreateDeviceObjects() {
    DXGI_SWAP_CHAIN_DESC swapChainDesc = {};
    swapChainDesc.BufferDesc.Width = screenWidth;
    swapChainDesc.BufferDesc.Height = screenHeight;
    swapChainDesc.BufferDesc.RefreshRate.Numerator = 60;
    swapChainDesc.BufferDesc.RefreshRate.Denominator = 1;
    swapChainDesc.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    swapChainDesc.SampleDesc.Count = sampleCount;
    swapChainDesc.SampleDesc.Quality = sampleQuality;
    swapChainDesc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    swapChainDesc.BufferCount = 1;
    swapChainDesc.OutputWindow = mainWindow;
    swapChainDesc.Windowed = windowed;
    swapChainDesc.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    swapChainDesc.Flags = 0;
    VRK::CheckResult(D3D10CreateDeviceAndSwapChain(nullptr, D3D10_DRIVER_TYPE_HARDWARE, nullptr, 0,
                                                   D3D10_SDK_VERSION, &swapChainDesc, &swapChain, &device));

    // The reference to the back buffer is kept for the life of the process.
    ID3D10Texture2D* backBuffer = nullptr;
    VRK::CheckResult(swapChain->GetBuffer(0, __uuidof(ID3D10Texture2D), reinterpret_cast<void**>(&backBuffer)));
    VRK::CheckResult(device->CreateRenderTargetView(backBuffer, nullptr, &backBufferView));

    D3D10_TEXTURE2D_DESC depthDesc = {};
    depthDesc.Width = screenWidth;
    depthDesc.Height = screenHeight;
    depthDesc.MipLevels = 1;
    depthDesc.ArraySize = 1;
    depthDesc.Format = DXGI_FORMAT_D32_FLOAT;
    depthDesc.SampleDesc.Count = sampleCount;
    depthDesc.SampleDesc.Quality = sampleQuality;
    depthDesc.Usage = D3D10_USAGE_DEFAULT;
    depthDesc.BindFlags = D3D10_BIND_DEPTH_STENCIL;
    depthDesc.CPUAccessFlags = 0;
    depthDesc.MiscFlags = 0;
    VRK::CheckResult(device->CreateTexture2D(&depthDesc, nullptr, &depthTexture));

    D3D10_DEPTH_STENCIL_VIEW_DESC depthViewDesc = {};
    depthViewDesc.Format = DXGI_FORMAT_D32_FLOAT;
    depthViewDesc.ViewDimension = D3D10_DSV_DIMENSION_TEXTURE2DMS;
    VRK::CheckResult(device->CreateDepthStencilView(depthTexture, &depthViewDesc, &depthStencilView));

    D3D10_RASTERIZER_DESC rasterizerDesc = {};
    rasterizerDesc.FillMode = D3D10_FILL_SOLID;
    rasterizerDesc.CullMode = D3D10_CULL_BACK;
    rasterizerDesc.FrontCounterClockwise = FALSE;
    rasterizerDesc.DepthBias = 0;
    rasterizerDesc.DepthBiasClamp = 0.0f;
    rasterizerDesc.SlopeScaledDepthBias = 0.0f;
    rasterizerDesc.DepthClipEnable = TRUE;
    rasterizerDesc.ScissorEnable = FALSE;
    rasterizerDesc.MultisampleEnable = multisampleEnable;
    rasterizerDesc.AntialiasedLineEnable = FALSE;
    VRK::CheckResult(device->CreateRasterizerState(&rasterizerDesc, &rasterizerState));
    device->RSSetState(rasterizerState);
}

int CreateGraphicsDevice() {
    CreateDeviceObjects();

    // The show's time zero is the tick after everything has been built.
    demo = new VRK::Demo;
    demo->Start(GetTickCount());
    return 0;
}

void ReleaseGraphicsDevice() {
    if (device)
        device->ClearState();
    if (backBufferView)
        backBufferView->Release();
    if (swapChain)
        swapChain->Release();
    if (device)
        device->Release();
}

// The title text for a frame of the given length: the default formatting of
// a string stream, so 62.5 for 16 ms and inf for 0 ms.
std::string FrameRateText(DWORD elapsed) {
    double rate = 1000.0 / static_cast<int32_t>(elapsed);
    std::ostringstream text;
    text << rate;
    return text.str();
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int showCommand) {
    Gdiplus::GdiplusStartupInput gdiplusStartupInput;
    ULONG_PTR gdiplusToken;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusStartupInput, nullptr);

    CreateMainWindow(instance, showCommand);
    CreateGraphicsDevice();

    MSG message = {};
    while (message.message != WM_QUIT) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        DWORD t = GetTickCount();
        demo->Update(t);
        demo->Render();
        Sleep(1);
        SetWindowTextA(mainWindow, FrameRateText(GetTickCount() - t).c_str());
    }

    ReleaseGraphicsDevice();
    return static_cast<int>(message.wParam);
}
