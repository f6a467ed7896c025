// Counts the OpenGL calls the process makes through libepoxy, the bytes they
// hand to the driver, and the time spent inside them. libepoxy dispatches
// every GL entry point through a writable global pointer, epoxy_glName: for
// each entry point the layer's sources name (the list is generated from them
// when the build is configured), that pointer is replaced by a counting
// forwarder to the driver's own function. Calls through other paths (the
// driver's internal work, SDL's buffer swap) are not GL calls of ours and are
// not counted; the swap is timed separately by the harness.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

struct GlCounts {
    uint64_t calls = 0;
    // Bytes handed over by buffer and texture uploads and uniform setters.
    uint64_t uploadBytes = 0;
    // Wall time inside the counted GL calls, in nanoseconds.
    uint64_t nanoseconds = 0;
};

// Installs the forwarders; needs the current GL context. Returns how many
// entry points are counted. With finishDrawing, every draw, clear and blit
// waits until the driver has done it (a diagnosis of where a frame's time
// goes; it serialises the driver's work).
int InstallGlCounters(bool finishDrawing = false);
// Puts libepoxy's pointers back as they were.
void RemoveGlCounters();
GlCounts CurrentGlCounts();

struct EntryCount {
    const char* name;
    uint64_t calls;
    uint64_t nanoseconds;
};
// Calls so far per counted entry point, those never called left out.
std::vector<EntryCount> CurrentEntryCounts();

// The draws since the last call, in order: first vertex, vertices and
// nanoseconds each (with finishDrawing, its rasterization included).
struct DrawRecord {
    int first;
    int vertices;
    uint64_t nanoseconds;
};
std::vector<DrawRecord> TakeDrawRecords();

uint64_t MonotonicNanoseconds();

}  // namespace bench
