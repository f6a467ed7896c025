// For tests only: stands in a fixed value for the tick count, so that a test
// can put the show at any moment of its timeline. The programs never call it.
#pragma once

#include <windows.h>

// From now on GetTickCount returns this value, until cleared or set again.
void SetTestTickCount(DWORD ticks);
// GetTickCount follows the monotonic clock again.
void ClearTestTickCount();
