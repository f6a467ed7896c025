// What exists once per process: the main window, the device objects and the
// build configuration. Defined by the program's main source.
#pragma once

#include <d3d10.h>

namespace VRK {
class Demo;
}

extern HINSTANCE instanceHandle;
extern HWND mainWindow;
extern ID3D10Device* device;
extern IDXGISwapChain* swapChain;
extern ID3D10RenderTargetView* backBufferView;
extern ID3D10Texture2D* depthTexture;
extern ID3D10DepthStencilView* depthStencilView;
extern ID3D10RasterizerState* rasterizerState;
extern VRK::Demo* demo;

extern int screenWidth;
extern int screenHeight;
extern float aspectRatio;
extern bool windowed;
extern bool multisampleEnable;
extern int sampleCount;
extern int sampleQuality;
