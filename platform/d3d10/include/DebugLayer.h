// Messages about programming errors, written to standard error the way a
// graphics runtime's debug layer reports them.
#pragma once

namespace d3d10 {

// printf-style; the text is prefixed with "D3D10: " and ended with a line feed.
void DebugMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace d3d10
