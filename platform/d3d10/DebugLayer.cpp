#include "DebugLayer.h"

#include <cstdarg>
#include <cstdio>

namespace d3d10 {

void DebugMessage(const char* format, ...) {
    std::fputs("D3D10: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
}

}  // namespace d3d10
