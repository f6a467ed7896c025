// The program's main source: start-up, the frame loop and shutdown.
#pragma once

#include <windows.h>

#include <string>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int CreateMainWindow(HINSTANCE instance, int showCommand);
// The device, swap chain, back-buffer view, depth buffer and rasterizer state.
void CreateDeviceObjects();
// The device objects, then the show, started at the current tick.
int CreateGraphicsDevice();
void ReleaseGraphicsDevice();
// The window title for a frame that took elapsed milliseconds.
std::string FrameRateText(DWORD elapsed);
