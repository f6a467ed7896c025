// The distinct records of a vertex buffer at one stride, as an element
// buffer: entry i names an earlier record whose bytes equal record i's. A
// triangle-list draw of records [first, first + count) drawn through entries
// [first, first + count) makes the same triangles of the same vertices, while
// the vertex stage shades each distinct record of a stretch once.
#pragma once

#include <epoxy/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace d3d10 {

class VertexReuseIndex {
public:
    // Null when the records are nearly all distinct, so that fetching the
    // index would cost more than the shading it saves.
    static std::unique_ptr<VertexReuseIndex> Build(const void* bytes, size_t byteWidth, unsigned stride);
    VertexReuseIndex(const VertexReuseIndex&) = delete;
    VertexReuseIndex& operator=(const VertexReuseIndex&) = delete;

    // The element buffer; its owner deletes it while the device's context
    // is current.
    GLuint Name() const { return name_; }
    unsigned Records() const { return records_; }
    // Draws records [first, first + count) as a triangle list through the
    // index; the vertex array must be the one the draw uses now.
    void DrawTriangles(GLuint vertexArray, unsigned first, unsigned count) const;

    // For tests: whether draws take this path, and how many did so far.
    static bool& Enabled();
    static uint64_t& DrawsThrough();

private:
    VertexReuseIndex(GLuint name, GLenum type, unsigned records) : name_(name), type_(type), records_(records) {}

    GLuint name_;
    GLenum type_;
    unsigned records_;
};

}  // namespace d3d10
