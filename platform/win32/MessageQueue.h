// Inside the platform: what window destruction needs of the message queue.
#pragma once

#include <windows.h>

namespace win32 {

// Drops the posted messages still waiting for a window that is going away.
void DiscardPostedMessages(HWND window);

}  // namespace win32
