// How each DXGI format the layer supports is stored and read in OpenGL.
#pragma once

#include <dxgi.h>
#include <epoxy/gl.h>

namespace d3d10 {

struct FormatInfo {
    GLenum internalFormat;  // texture storage
    GLenum pixelFormat;     // upload format
    GLenum pixelType;       // upload type
    UINT bytesPerTexel;
    bool isDepth;
    // As a vertex attribute: component count, type and normalisation.
    GLint vertexComponents;
    GLenum vertexType;
    GLboolean vertexNormalized;
};

// Null for a format the layer does not support.
const FormatInfo* FindFormat(DXGI_FORMAT format);

}  // namespace d3d10
