#include "GlCallCounter.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <ctime>
#include <tuple>
#include <type_traits>
#include <vector>

namespace bench {

uint64_t MonotonicNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

namespace {

GlCounts counts;
// When set, the drawing calls wait for the driver to finish their work, so
// that the rasterizer threads' time is charged to the call that caused it.
void (*finishAfterDrawing)() = nullptr;
std::vector<void (*)()> removers;
struct Entry {
    const char* name;
    const uint64_t* calls;
    const uint64_t* nanoseconds;
};
std::vector<Entry> entries;
std::vector<DrawRecord> draws;

// The record of a glDrawArrays call (mode, first, count), or of a
// glDrawElements call (mode, count, type, offset into the index).
template <typename... A>
DrawRecord Draw(uint64_t nanoseconds, A... arguments) {
    DrawRecord record{0, 0, nanoseconds};
    auto all = std::make_tuple(arguments...);
    if constexpr (sizeof...(A) == 3) {
        if constexpr (std::is_integral_v<std::tuple_element_t<2, decltype(all)>>) {
            record.first = static_cast<int>(std::get<1>(all));
            record.vertices = static_cast<int>(std::get<2>(all));
        }
    } else if constexpr (sizeof...(A) == 4) {
        using All = decltype(all);
        if constexpr (std::is_integral_v<std::tuple_element_t<1, All>> &&
                      std::is_integral_v<std::tuple_element_t<2, All>> &&
                      std::is_pointer_v<std::tuple_element_t<3, All>>) {
            const uintptr_t offset = reinterpret_cast<uintptr_t>(std::get<3>(all));
            record.first = static_cast<int>(offset / (std::get<2>(all) == GL_UNSIGNED_SHORT ? 2 : 4));
            record.vertices = static_cast<int>(std::get<1>(all));
        }
    }
    return record;
}

template <auto& Pointer, typename F = std::remove_reference_t<decltype(Pointer)>>
struct Forwarder;

template <auto& Pointer, typename R, typename... A>
struct Forwarder<Pointer, R (*)(A...)> {
    static inline R (*driver)(A...) = nullptr;
    static inline R (*saved)(A...) = nullptr;
    // Bytes this call hands to the driver, for the uploading entry points.
    static inline uint64_t (*bytes)(A...) = nullptr;
    static inline uint64_t calls = 0;
    static inline uint64_t nanoseconds = 0;
    static inline bool listed = false;
    static inline bool drawing = false;
    static inline bool recordsDraws = false;

    static R Call(A... arguments) {
        ++counts.calls;
        ++calls;
        if (bytes) counts.uploadBytes += bytes(arguments...);
        const uint64_t begin = MonotonicNanoseconds();
        if constexpr (std::is_void_v<R>) {
            driver(arguments...);
            if (drawing && finishAfterDrawing) finishAfterDrawing();
            const uint64_t spent = MonotonicNanoseconds() - begin;
            counts.nanoseconds += spent;
            nanoseconds += spent;
            if (recordsDraws) draws.push_back(Draw(spent, arguments...));
        } else {
            R result = driver(arguments...);
            const uint64_t spent = MonotonicNanoseconds() - begin;
            counts.nanoseconds += spent;
            nanoseconds += spent;
            return result;
        }
    }

    static bool Install(const char* name) {
        // libepoxy's pointer may still be its lazy resolver, which rewrites
        // the pointer on first use: forward to the driver's function instead.
        auto resolved = reinterpret_cast<R (*)(A...)>(SDL_GL_GetProcAddress(name));
        if (!resolved) return false;
        driver = resolved;
        saved = Pointer;
        Pointer = &Call;
        removers.push_back([] { Pointer = saved; });
        if (!listed) entries.push_back({name, &calls, &nanoseconds});
        listed = true;
        return true;
    }
};

uint64_t TexelBytes(GLenum format, GLenum type) {
    uint64_t channels = 4;
    switch (format) {
        case GL_RED: case GL_DEPTH_COMPONENT: channels = 1; break;
        case GL_RG: channels = 2; break;
        case GL_RGB: case GL_BGR: channels = 3; break;
        default: break;
    }
    uint64_t size = 1;
    switch (type) {
        case GL_FLOAT: case GL_UNSIGNED_INT: case GL_INT: size = 4; break;
        case GL_HALF_FLOAT: case GL_UNSIGNED_SHORT: case GL_SHORT: size = 2; break;
        default: break;
    }
    return channels * size;
}

void CountUploads() {
    Forwarder<epoxy_glNamedBufferSubData>::bytes = [](GLuint, GLintptr, GLsizeiptr size, const void*) {
        return static_cast<uint64_t>(size);
    };
    Forwarder<epoxy_glBufferSubData>::bytes = [](GLenum, GLintptr, GLsizeiptr size, const void*) {
        return static_cast<uint64_t>(size);
    };
    Forwarder<epoxy_glNamedBufferData>::bytes = [](GLuint, GLsizeiptr size, const void* data, GLenum) {
        return data ? static_cast<uint64_t>(size) : 0;
    };
    Forwarder<epoxy_glBufferData>::bytes = [](GLenum, GLsizeiptr size, const void* data, GLenum) {
        return data ? static_cast<uint64_t>(size) : 0;
    };
    Forwarder<epoxy_glNamedBufferStorage>::bytes = [](GLuint, GLsizeiptr size, const void* data, GLbitfield) {
        return data ? static_cast<uint64_t>(size) : 0;
    };
    Forwarder<epoxy_glTextureSubImage2D>::bytes = [](GLuint, GLint, GLint, GLint, GLsizei w, GLsizei h,
                                                     GLenum format, GLenum type, const void*) {
        return static_cast<uint64_t>(w) * static_cast<uint64_t>(h) * TexelBytes(format, type);
    };
    Forwarder<epoxy_glTexSubImage2D>::bytes = [](GLenum, GLint, GLint, GLint, GLsizei w, GLsizei h, GLenum format,
                                                 GLenum type, const void*) {
        return static_cast<uint64_t>(w) * static_cast<uint64_t>(h) * TexelBytes(format, type);
    };
    Forwarder<epoxy_glUniform1f>::bytes = [](GLint, GLfloat) { return uint64_t{4}; };
    Forwarder<epoxy_glUniform4fv>::bytes = [](GLint, GLsizei count, const GLfloat*) {
        return 16 * static_cast<uint64_t>(count);
    };
    Forwarder<epoxy_glUniformMatrix4fv>::bytes = [](GLint, GLsizei count, GLboolean, const GLfloat*) {
        return 64 * static_cast<uint64_t>(count);
    };
}

}  // namespace

int InstallGlCounters(bool finishDrawing) {
    CountUploads();
    finishAfterDrawing =
        finishDrawing ? reinterpret_cast<void (*)()>(SDL_GL_GetProcAddress("glFinish")) : nullptr;
    Forwarder<epoxy_glDrawArrays>::drawing = true;
    Forwarder<epoxy_glDrawArrays>::recordsDraws = true;
    Forwarder<epoxy_glDrawElements>::drawing = true;
    Forwarder<epoxy_glDrawElements>::recordsDraws = true;
    Forwarder<epoxy_glClearNamedFramebufferfv>::drawing = true;
    Forwarder<epoxy_glBlitNamedFramebuffer>::drawing = true;
    int installed = 0;
#define BENCH_GL_ENTRY(name) installed += Forwarder<epoxy_##name>::Install(#name) ? 1 : 0;
#include "bench_gl_entries.h"
#undef BENCH_GL_ENTRY
    return installed;
}

void RemoveGlCounters() {
    for (auto remove : removers) remove();
    removers.clear();
}

GlCounts CurrentGlCounts() { return counts; }

std::vector<DrawRecord> TakeDrawRecords() {
    std::vector<DrawRecord> taken;
    taken.swap(draws);
    return taken;
}

std::vector<EntryCount> CurrentEntryCounts() {
    std::vector<EntryCount> result;
    for (const Entry& entry : entries)
        if (*entry.calls) result.push_back({entry.name, *entry.calls, *entry.nanoseconds});
    return result;
}

}  // namespace bench
