#include "VertexReuseIndex.h"

#include <cstring>
#include <limits>
#include <vector>

namespace d3d10 {

namespace {

uint64_t HashRecord(const uint8_t* record, unsigned stride) {
    uint64_t hash = stride * 0x9e3779b97f4a7c15ull;
    unsigned i = 0;
    for (; i + 8 <= stride; i += 8) {
        uint64_t word;
        std::memcpy(&word, record + i, 8);
        hash = (hash ^ word) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    for (; i < stride; ++i) hash = (hash ^ record[i]) * 0x100000001b3ull;
    hash ^= hash >> 29;
    hash *= 0xc4ceb9fe1a85ec53ull;
    return hash ^ (hash >> 32);
}

// Entry i: an earlier record with record i's bytes, or i itself. Only the
// latest record of each hash slot is remembered: a mesh repeats a vertex
// close to where it first wrote it, and the vertex stage shares vertices
// only among those drawn close together anyway. A small table stays in
// the cache, where one over the whole buffer would miss on every record.
template <class Entry>
unsigned RecentCopies(const uint8_t* bytes, unsigned stride, unsigned records, std::vector<Entry>& entries) {
    constexpr size_t kSlots = 4096;
    constexpr uint32_t kEmpty = std::numeric_limits<uint32_t>::max();
    std::vector<uint32_t> latest(kSlots, kEmpty);
    entries.resize(records);
    unsigned distinct = 0;
    for (unsigned i = 0; i < records; ++i) {
        const uint8_t* record = bytes + static_cast<size_t>(i) * stride;
        uint32_t& slot = latest[HashRecord(record, stride) & (kSlots - 1)];
        if (slot == kEmpty || std::memcmp(bytes + static_cast<size_t>(slot) * stride, record, stride) != 0) {
            slot = i;
            ++distinct;
        }
        entries[i] = static_cast<Entry>(slot);
    }
    return distinct;
}

// The index is kept only where at least a quarter of the records repeat an
// earlier one (below that the index fetch eats what the shading saves), and
// not for a few quads, whose shading costs next to nothing either way.
constexpr unsigned kFewestRecords = 64;

bool Pays(unsigned distinct, unsigned records) {
    return static_cast<uint64_t>(distinct) * 4 <= static_cast<uint64_t>(records) * 3;
}

template <class Entry>
GLuint Upload(const std::vector<Entry>& entries) {
    GLuint name = 0;
    glCreateBuffers(1, &name);
    glNamedBufferStorage(name, static_cast<GLsizeiptr>(entries.size() * sizeof(Entry)), entries.data(), 0);
    return name;
}

}  // namespace

std::unique_ptr<VertexReuseIndex> VertexReuseIndex::Build(const void* data, size_t byteWidth, unsigned stride) {
    if (stride == 0 || byteWidth / stride < kFewestRecords ||
        byteWidth / stride >= std::numeric_limits<uint32_t>::max())
        return nullptr;
    const auto* bytes = static_cast<const uint8_t*>(data);
    const unsigned records = static_cast<unsigned>(byteWidth / stride);
    GLuint name = 0;
    GLenum type;
    if (records <= 0x10000u) {
        std::vector<uint16_t> entries;
        if (!Pays(RecentCopies(bytes, stride, records, entries), records)) return nullptr;
        name = Upload(entries);
        type = GL_UNSIGNED_SHORT;
    } else {
        std::vector<uint32_t> entries;
        if (!Pays(RecentCopies(bytes, stride, records, entries), records)) return nullptr;
        name = Upload(entries);
        type = GL_UNSIGNED_INT;
    }
    return std::unique_ptr<VertexReuseIndex>(new VertexReuseIndex(name, type, records));
}

void VertexReuseIndex::DrawTriangles(GLuint vertexArray, unsigned first, unsigned count) const {
    const size_t entrySize = type_ == GL_UNSIGNED_SHORT ? 2 : 4;
    glVertexArrayElementBuffer(vertexArray, name_);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(count), type_,
                   reinterpret_cast<const void*>(static_cast<uintptr_t>(first) * entrySize));
    ++DrawsThrough();
}

bool& VertexReuseIndex::Enabled() {
    static bool enabled = true;
    return enabled;
}

uint64_t& VertexReuseIndex::DrawsThrough() {
    static uint64_t draws = 0;
    return draws;
}

}  // namespace d3d10
