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

// Entry i: the first record with record i's bytes.
template <class Entry>
unsigned FirstOccurrences(const uint8_t* bytes, unsigned stride, unsigned records, std::vector<Entry>& entries) {
    constexpr uint32_t kEmpty = std::numeric_limits<uint32_t>::max();
    size_t capacity = 16;
    while (capacity < static_cast<size_t>(records) * 2) capacity *= 2;
    const size_t mask = capacity - 1;
    std::vector<uint32_t> table(capacity, kEmpty);
    entries.resize(records);
    unsigned distinct = 0;
    for (unsigned i = 0; i < records; ++i) {
        const uint8_t* record = bytes + static_cast<size_t>(i) * stride;
        size_t slot = HashRecord(record, stride) & mask;
        while (table[slot] != kEmpty &&
               std::memcmp(bytes + static_cast<size_t>(table[slot]) * stride, record, stride) != 0)
            slot = (slot + 1) & mask;
        if (table[slot] == kEmpty) {
            table[slot] = i;
            ++distinct;
        }
        entries[i] = static_cast<Entry>(table[slot]);
    }
    return distinct;
}

// The index is kept only where at least a quarter of the records repeat an
// earlier one: below that the index fetch eats what the shading saves.
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
    if (stride == 0 || byteWidth / stride < 3 || byteWidth / stride >= std::numeric_limits<uint32_t>::max())
        return nullptr;
    const auto* bytes = static_cast<const uint8_t*>(data);
    const unsigned records = static_cast<unsigned>(byteWidth / stride);
    GLuint name = 0;
    unsigned distinct = 0;
    GLenum type;
    if (records <= 0x10000u) {
        std::vector<uint16_t> entries;
        distinct = FirstOccurrences(bytes, stride, records, entries);
        if (!Pays(distinct, records)) return nullptr;
        name = Upload(entries);
        type = GL_UNSIGNED_SHORT;
    } else {
        std::vector<uint32_t> entries;
        distinct = FirstOccurrences(bytes, stride, records, entries);
        if (!Pays(distinct, records)) return nullptr;
        name = Upload(entries);
        type = GL_UNSIGNED_INT;
    }
    return std::unique_ptr<VertexReuseIndex>(new VertexReuseIndex(name, type, records, distinct));
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
