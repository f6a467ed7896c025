// The show's speed in one build configuration (the one whose main source is
// linked in): start-up to the first presented frame, the frame time of each
// scene at fixed times inside its window, what one frame asks of OpenGL, the
// main thread's time outside the driver, and the peak resident memory.
// Prints one JSON object on standard output. Runs on SDL's offscreen driver.
//
//   bench-show-windowed [frames [--finish-each-draw]] [--plain-draws]   frames per scene, 300 when not given
//   bench-show-windowed --first-frame    (internal: one start-up, timed)
//   bench-show-windowed --start-up-gl    (the GL calls of start-up, timed)
#include "GlCallCounter.h"

#include "Demo.h"
#include "PlatformTesting.h"
#include "globals.h"
#include "shell.h"

#include <SDL.h>
#include <epoxy/gl.h>
#include <gdiplus.h>
#include <windows.h>

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

using bench::MonotonicNanoseconds;

uint64_t ThreadCpuNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

// SDL's buffer swap is not a GL call of ours, yet it is driver work: the
// harness's definition takes the place of SDL's and times it.
uint64_t swapNanoseconds = 0;

struct Scene {
    const char* name;
    unsigned begin;
    unsigned end;
};

const Scene scenes[] = {
    {"Conformity", VRK::conformityOffset, VRK::growthOffset},
    {"Growth", VRK::growthOffset, VRK::greetsOffset},
    {"Greets", VRK::greetsOffset, VRK::endOffset},
    {"End", VRK::endOffset, VRK::demoLength},
};

// Ticks relative to the show's start, spread evenly over the scene's window.
unsigned FrameTime(const Scene& scene, int frame, int frames) {
    const double span = static_cast<double>(scene.end - scene.begin);
    return scene.begin + static_cast<unsigned>((frame + 0.5) * span / frames);
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(fraction * (values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void StartGdiplus() {
    static Gdiplus::GdiplusStartupInput input;
    static ULONG_PTR token;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

HINSTANCE__ moduleInstance;

// The program's start-up, as its entry point runs it, up to the end of the
// first presented frame.
// Prints the end time, then when each step of it ended.
int FirstFrame() {
    const uint64_t entered = MonotonicNanoseconds();
    StartGdiplus();
    CreateMainWindow(&moduleInstance, SW_SHOWDEFAULT);
    const uint64_t windowMade = MonotonicNanoseconds();
    // CreateGraphicsDevice's two steps, timed apart.
    CreateDeviceObjects();
    const uint64_t deviceMade = MonotonicNanoseconds();
    demo = new VRK::Demo;
    demo->Start(GetTickCount());
    const uint64_t showBuilt = MonotonicNanoseconds();
    demo->Update(GetTickCount());
    demo->Render();
    glFinish();
    std::printf("%llu %llu %llu %llu %llu\n", static_cast<unsigned long long>(MonotonicNanoseconds()),
                static_cast<unsigned long long>(entered), static_cast<unsigned long long>(windowMade),
                static_cast<unsigned long long>(deviceMade), static_cast<unsigned long long>(showBuilt));
    std::fflush(stdout);
    _exit(0);
}

// Seconds from process start to main, to the window, to the device objects,
// to the show built and started, and to the first frame presented.
struct StartUp {
    double phases[5] = {};
};

// With --plain-draws the layer draws every mesh plainly, never through its
// shared vertices, and builds no index for them.
bool plainDraws = false;

// Process start to the end of the first presented frame, for one run of
// this executable in its first-frame mode; negative on failure.
double StartUpSeconds(const char* self, StartUp* steps) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const uint64_t begin = MonotonicNanoseconds();
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        execl(self, self, "--first-frame", plainDraws ? "--plain-draws" : static_cast<char*>(nullptr),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    char text[256] = {};
    ssize_t length = read(pipeEnds[0], text, sizeof text - 1);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (length <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    char* next = text;
    const uint64_t end = std::strtoull(next, &next, 10);
    uint64_t previous = begin;
    for (int i = 0; i < 4; ++i) {
        const uint64_t at = std::strtoull(next, &next, 10);
        steps->phases[i] = (at - previous) / 1e9;
        previous = at;
    }
    steps->phases[4] = (end - previous) / 1e9;
    return (end - begin) / 1e9;
}

struct FrameCost {
    double calls = 0;
    double uploadBytes = 0;
    double glMs = 0;
    double swapMs = 0;
    double outsideDriverMs = 0;
};

void Frame(unsigned time) {
    demo->Update(time);
    demo->Render();
}

// The calls and time of each entry point since the earlier counts were
// taken, those not called since left out.
std::vector<bench::EntryCount> EntryCountsSince(const std::vector<bench::EntryCount>& earlier) {
    std::vector<bench::EntryCount> since;
    for (bench::EntryCount entry : bench::CurrentEntryCounts()) {
        for (const bench::EntryCount& old : earlier)
            if (std::strcmp(old.name, entry.name) == 0) {
                entry.calls -= old.calls;
                entry.nanoseconds -= old.nanoseconds;
            }
        if (entry.calls) since.push_back(entry);
    }
    return since;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static Swap sdlSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    const uint64_t begin = MonotonicNanoseconds();
    sdlSwap(window);
    swapNanoseconds += MonotonicNanoseconds() - begin;
}

// Diagnosis: the GL calls made while the show is built and its first frame
// drawn, with the time spent in each entry point.
int StartUpGlCalls() {
    StartGdiplus();
    CreateMainWindow(&moduleInstance, SW_SHOWDEFAULT);
    CreateDeviceObjects();
    bench::InstallGlCounters();
    const uint64_t begin = MonotonicNanoseconds();
    demo = new VRK::Demo;
    demo->Start(GetTickCount());
    const uint64_t built = MonotonicNanoseconds();
    std::vector<bench::EntryCount> afterBuild = bench::CurrentEntryCounts();
    demo->Update(GetTickCount());
    demo->Render();
    glFinish();
    const uint64_t drawn = MonotonicNanoseconds();
    std::printf("show built in %.1f ms, first frame in %.1f ms; GL calls (count, ms) while building:\n",
                (built - begin) / 1e6, (drawn - built) / 1e6);
    for (const bench::EntryCount& entry : afterBuild)
        std::printf("  %-32s %6llu %9.2f\n", entry.name, static_cast<unsigned long long>(entry.calls),
                    entry.nanoseconds / 1e6);
    std::printf("during the first frame:\n");
    for (const bench::EntryCount& entry : EntryCountsSince(afterBuild))
        std::printf("  %-32s %6llu %9.2f\n", entry.name, static_cast<unsigned long long>(entry.calls),
                    entry.nanoseconds / 1e6);
    std::fflush(stdout);
    _exit(0);
}

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (argc > 1 && std::strcmp(argv[argc - 1], "--plain-draws") == 0) {
        plainDraws = true;
        platform_testing::SetVertexReuse(false);
        argv[--argc] = nullptr;
    }
    if (argc > 1 && std::strcmp(argv[1], "--first-frame") == 0) return FirstFrame();
    if (argc > 1 && std::strcmp(argv[1], "--start-up-gl") == 0) return StartUpGlCalls();
    const int frames = argc > 1 ? std::max(20, std::atoi(argv[1])) : 300;
    // Diagnosis: with --finish-each-draw, the counted run waits for every
    // draw, clear and blit, so each call's time includes its rasterization.
    const bool finishEach = argc > 2 && std::strcmp(argv[2], "--finish-each-draw") == 0;

    std::vector<double> startUps;
    std::vector<StartUp> steps(5);
    for (int run = 0; run < 5; ++run) startUps.push_back(StartUpSeconds("/proc/self/exe", &steps[run]));

    StartGdiplus();
    CreateMainWindow(&moduleInstance, SW_SHOWDEFAULT);
    CreateDeviceObjects();
    demo = new VRK::Demo;
    // Ticks from zero: each frame gives the show the time chosen for it.
    demo->Start(0);

    std::printf("{\n  \"configuration\": \"%dx%d\",\n", screenWidth, screenHeight);
    std::printf("  \"renderer\": \"%s\",\n", platform_testing::RendererString(device).c_str());
    std::printf("  \"cores\": %ld,\n", sysconf(_SC_NPROCESSORS_ONLN));
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(SDL_GL_GetCurrentWindow(), &drawableWidth, &drawableHeight);
    std::printf("  \"window\": \"%dx%d\",\n", drawableWidth, drawableHeight);
    std::printf("  \"samples\": %u,\n", platform_testing::EffectiveSampleCount(device, sampleCount));
    std::printf("  \"frames_per_scene\": %d,\n", frames);
    std::printf("  \"shared_vertices\": %s,\n", plainDraws ? "false" : "true");
    std::printf("  \"startup_s\": {\"median\": %.4f, \"runs\": [", Percentile(startUps, 0.5));
    for (size_t i = 0; i < startUps.size(); ++i) std::printf("%s%.4f", i ? ", " : "", startUps[i]);
    std::printf("], \"steps_median\": {");
    const char* stepNames[] = {"exec_to_main", "window", "device_objects", "show_built", "first_frame"};
    for (int i = 0; i < 5; ++i) {
        std::vector<double> values;
        for (const StartUp& run : steps) values.push_back(run.phases[i]);
        std::printf("%s\"%s\": %.4f", i ? ", " : "", stepNames[i], Percentile(values, 0.5));
    }
    std::printf("}},\n  \"scenes\": [\n");

    bool first = true;
    for (const Scene& scene : scenes) {
        // A frame is timed until the driver has finished it (glFinish), so
        // that work the driver queued is charged to the frame that made it.
        for (int frame = 0; frame < 10; ++frame) Frame(FrameTime(scene, frame, 10));
        glFinish();
        const uint64_t sharedBefore = platform_testing::SharedVertexDraws();
        std::vector<double> wallMs, cpuMs;
        for (int frame = 0; frame < frames; ++frame) {
            const uint64_t wallBegin = MonotonicNanoseconds();
            const uint64_t cpuBegin = ThreadCpuNanoseconds();
            Frame(FrameTime(scene, frame, frames));
            glFinish();
            cpuMs.push_back((ThreadCpuNanoseconds() - cpuBegin) / 1e6);
            wallMs.push_back((MonotonicNanoseconds() - wallBegin) / 1e6);
        }
        const double sharedDraws =
            static_cast<double>(platform_testing::SharedVertexDraws() - sharedBefore) / frames;

        // A second run with the GL calls counted and timed; its frame times
        // carry the counting's own cost and are not reported as frame times.
        bench::InstallGlCounters(finishEach);
        const int counted = std::min(frames, 60);
        std::vector<FrameCost> costs;
        // Per draw of the frame, in order: first vertex, vertices and times.
        std::vector<std::pair<int, int>> drawVertices;
        std::vector<std::vector<double>> drawMs;
        bench::TakeDrawRecords();
        std::vector<bench::EntryCount> entriesBefore = bench::CurrentEntryCounts();
        for (int frame = 0; frame < counted; ++frame) {
            const bench::GlCounts before = bench::CurrentGlCounts();
            const uint64_t swapBefore = swapNanoseconds;
            const uint64_t begin = MonotonicNanoseconds();
            Frame(FrameTime(scene, frame, counted));
            const uint64_t elapsed = MonotonicNanoseconds() - begin;
            const bench::GlCounts after = bench::CurrentGlCounts();
            FrameCost cost;
            cost.calls = static_cast<double>(after.calls - before.calls);
            cost.uploadBytes = static_cast<double>(after.uploadBytes - before.uploadBytes);
            cost.glMs = (after.nanoseconds - before.nanoseconds) / 1e6;
            cost.swapMs = (swapNanoseconds - swapBefore) / 1e6;
            cost.outsideDriverMs = elapsed / 1e6 - cost.glMs - cost.swapMs;
            costs.push_back(cost);
            const std::vector<bench::DrawRecord> records = bench::TakeDrawRecords();
            for (size_t i = 0; i < records.size(); ++i) {
                if (i >= drawMs.size()) {
                    drawMs.emplace_back();
                    drawVertices.push_back({records[i].first, records[i].vertices});
                }
                drawMs[i].push_back(records[i].nanoseconds / 1e6);
            }
            bench::RemoveGlCounters();
            glFinish();
            bench::InstallGlCounters(finishEach);
        }
        bench::RemoveGlCounters();
        std::string byEntry;
        for (const bench::EntryCount& entry : EntryCountsSince(entriesBefore)) {
            char text[128];
            std::snprintf(text, sizeof text, "%s\"%s\": [%.1f, %.4f]", byEntry.empty() ? "" : ", ", entry.name,
                          static_cast<double>(entry.calls) / counted, entry.nanoseconds / 1e6 / counted);
            byEntry += text;
        }
        std::string drawText;
        for (size_t i = 0; i < drawMs.size(); ++i) {
            char text[96];
            std::snprintf(text, sizeof text, "%s[%d, %d, %.4f]", i ? ", " : "", drawVertices[i].first,
                          drawVertices[i].second, Percentile(drawMs[i], 0.5));
            drawText += text;
        }
        auto median = [&](double FrameCost::*field) {
            std::vector<double> values;
            for (const FrameCost& cost : costs) values.push_back(cost.*field);
            return Percentile(values, 0.5);
        };

        std::printf("%s    {\"name\": \"%s\", \"frame_ms\": {\"median\": %.3f, \"p95\": %.3f}, "
                    "\"main_thread_cpu_ms\": %.3f, \"shared_vertex_draws\": %.1f, \"gl_calls\": %.0f, \"upload_bytes\": %.0f, "
                    "\"in_gl_calls_ms\": %.3f, \"in_swap_ms\": %.3f, \"outside_driver_ms\": %.4f, "
                    "\"draws_first_count_ms\": [%s], \"gl_by_entry_calls_ms\": {%s}}",
                    first ? "" : ",\n", scene.name, Percentile(wallMs, 0.5), Percentile(wallMs, 0.95),
                    Percentile(cpuMs, 0.5), sharedDraws, median(&FrameCost::calls), median(&FrameCost::uploadBytes),
                    median(&FrameCost::glMs), median(&FrameCost::swapMs), median(&FrameCost::outsideDriverMs),
                    drawText.c_str(), byEntry.c_str());
        first = false;
    }

    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\n  ],\n  \"peak_rss_mib\": %.1f\n}\n", usage.ru_maxrss / 1024.0);
    std::fflush(stdout);
    // The show is never torn down; leave as the program does at its end.
    _exit(0);
}
