// The hexagon field drawn with OpenGL alone: no layer, no effect, no scene.
// The same 1,600 cells of 324 vertices (built by the framework's spindle
// builder, as the scene builds them), a lit and textured shader of the same
// weight as the scene's field pass, one draw per frame into an offscreen
// target, then a blit into the window as the swap chain presents. Its frame
// time is the most this driver allows for the field; the show's Conformity
// frame is compared with it.
//
//   bench-bare-field [frames]   prints one JSON object with both configurations
#include "HexFieldCells.h"

#include "framework.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct CellVertex {
    VMath::Vector3D<float> position;
    VMath::Vector3D<float> normal;
    VMath::Vector3D<float> centre;
};
static_assert(sizeof(CellVertex) == bench::kFieldStride, "the field's vertex is 36 bytes");

std::vector<CellVertex> BuildField() {
    std::vector<CellVertex> vertices(bench::kFieldCells * bench::CellVertexCount());
    bench::BuildHexFieldCells(vertices.data());
    return vertices;
}

// Matrices arrive row-major for row vectors; unTransposed, GLSL sees their
// transposes, so the shader multiplies matrix times vector.
const char* vertexSource = R"(#version 450
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec3 centre3;
layout(location = 0) uniform mat4 view;
layout(location = 1) uniform mat4 projection;
layout(location = 2) uniform float time;
layout(location = 0) out vec3 viewNormal;
layout(location = 1) out vec3 viewPosition;
layout(location = 2) out vec2 picture;
layout(location = 3) out float height;
void main() {
    vec2 centre = centre3.xz;
    float reach = max(length(centre), 0.001);
    float ring = reach * 0.55 - time * 2.4;
    float cross = centre.x * 0.31 + centre.y * 0.23 + time * 1.1;
    float h = 0.22 * sin(ring) + 0.12 * sin(cross);
    float ringSlope = 0.121 * cos(ring) / reach;
    float crossSlope = 0.12 * cos(cross);
    vec2 slope = vec2(ringSlope * centre.x + crossSlope * 0.31, ringSlope * centre.y + crossSlope * 0.23);
    vec4 eye = view * vec4(position + vec3(centre.x, h, centre.y), 1.0);
    gl_Position = projection * eye;
    viewNormal = mat3(view) * normalize(normal + vec3(-slope.x, 0.0, -slope.y) * 1.5);
    viewPosition = eye.xyz;
    picture = vec2((centre.x + 20.25) / 40.0, (19.5 - centre.y) / 40.0);
    height = h;
}
)";

const char* fragmentSource = R"(#version 450
layout(location = 0) in vec3 viewNormal;
layout(location = 1) in vec3 viewPosition;
layout(location = 2) in vec2 picture;
layout(location = 3) in float height;
layout(location = 0) uniform mat4 view;
layout(binding = 0) uniform sampler2D modelPicture;
layout(location = 0) out vec4 colour;
void main() {
    vec3 base = texture(modelPicture, picture).rgb * vec3(0.72, 0.88, 0.90);
    vec3 n = normalize(viewNormal);
    vec3 toEye = normalize(-viewPosition);
    vec3 toLight = normalize(mat3(view) * vec3(-0.35, 0.85, 0.40));
    float diffuse = clamp(dot(n, toLight), 0.0, 1.0);
    float specular = pow(clamp(dot(n, normalize(toLight + toEye)), 0.0, 1.0), 40.0);
    float crest = clamp(height * 2.5, 0.0, 1.0);
    vec3 c = base * (0.38 + 0.62 * diffuse) + (0.30 + 0.25 * crest) * specular + crest * vec3(0.05, 0.07, 0.07);
    float haze = clamp((length(viewPosition) - 14.0) / 22.0, 0.0, 1.0);
    colour = vec4(clamp(mix(c, vec3(1.0), haze * haze), 0.0, 1.0), 1.0);
}
)";

GLuint Compile(GLenum stage, const char* source) {
    GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048];
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader: %s\n", log);
        std::exit(2);
    }
    return shader;
}

double NowMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Result {
    double median;
    double p95;
    int samples;
    std::string window;
};

// With discard set, primitives are dropped after the vertex stage: the frame
// then costs the vertex work alone.
Result Measure(SDL_Window* window, GLuint program, GLuint vertexArray, GLsizei vertexCount, int width, int height,
               int samples, int frames, bool discard = false) {
    GLint maxSamples = 1;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    samples = std::min(samples, static_cast<int>(maxSamples));
    GLuint colour, depth, target, resolved = 0, resolveTarget = 0;
    const GLenum kind = samples > 1 ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D;
    glCreateTextures(kind, 1, &colour);
    glCreateTextures(kind, 1, &depth);
    if (samples > 1) {
        glTextureStorage2DMultisample(colour, samples, GL_RGBA8, width, height, GL_TRUE);
        glTextureStorage2DMultisample(depth, samples, GL_DEPTH_COMPONENT32F, width, height, GL_TRUE);
    } else {
        glTextureStorage2D(colour, 1, GL_RGBA8, width, height);
        glTextureStorage2D(depth, 1, GL_DEPTH_COMPONENT32F, width, height);
    }
    glCreateFramebuffers(1, &target);
    glNamedFramebufferTexture(target, GL_COLOR_ATTACHMENT0, colour, 0);
    glNamedFramebufferTexture(target, GL_DEPTH_ATTACHMENT, depth, 0);
    if (samples > 1) {
        glCreateTextures(GL_TEXTURE_2D, 1, &resolved);
        glTextureStorage2D(resolved, 1, GL_RGBA8, width, height);
        glCreateFramebuffers(1, &resolveTarget);
        glNamedFramebufferTexture(resolveTarget, GL_COLOR_ATTACHMENT0, resolved, 0);
    }
    // As the show's swap chain: a window of the target's size, full screen
    // for the multisampled configuration. Where the screen is another size
    // (SDL's offscreen driver has a fixed 1024 x 768 desktop), each frame is
    // scaled into it with black bars, as the show's Present does.
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, width, height);
    SDL_ShowWindow(window);
    if (samples > 1) {
        // The screen's own mode when it offers the target's size, else the
        // desktop as it is.
        const int display = SDL_GetWindowDisplayIndex(window);
        SDL_DisplayMode mode{};
        bool offered = false;
        for (int i = 0; display >= 0 && i < SDL_GetNumDisplayModes(display) && !offered; ++i)
            offered = SDL_GetDisplayMode(display, i, &mode) == 0 && mode.w == width && mode.h == height;
        if (!offered || SDL_SetWindowDisplayMode(window, &mode) != 0 ||
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0)
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    int windowWidth = 0, windowHeight = 0;
    SDL_GL_GetDrawableSize(window, &windowWidth, &windowHeight);
    const bool scaled = windowWidth != width || windowHeight != height;
    const double scale = std::min(static_cast<double>(windowWidth) / width, static_cast<double>(windowHeight) / height);
    const int outWidth = scaled ? static_cast<int>(std::lround(width * scale)) : width;
    const int outHeight = scaled ? static_cast<int>(std::lround(height * scale)) : height;
    const int left = (windowWidth - outWidth) / 2, top = (windowHeight - outHeight) / 2;

    glUseProgram(program);
    glBindVertexArray(vertexArray);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    const float aspect = static_cast<float>(width) / height;
    const VMath::Matrix4x4 projection = VRK::Perspective(1.5707964f, aspect, 0.1f, 100.0f);
    glUniformMatrix4fv(1, 1, GL_FALSE, &projection.m[0][0]);

    std::vector<double> times;
    for (int frame = -10; frame < frames; ++frame) {
        // The camera rises as the scene's does over its eight seconds.
        const float t = 8.0f * (std::max(frame, 0) + 0.5f) / frames;
        const VMath::Matrix4x4 view = VRK::LookAt(VMath::Vector3D<float>(-8.0f, 1.0f + 0.9f * t, -6.0f),
                                                  VMath::Vector3D<float>(0, 0, 0), VMath::Vector3D<float>(0, 1, 0));
        const double begin = NowMs();
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
        glViewport(0, 0, width, height);
        const float white[4] = {1, 1, 1, 1};
        const float far = 1.0f;
        glClearNamedFramebufferfv(target, GL_COLOR, 0, white);
        glClearNamedFramebufferfv(target, GL_DEPTH, 0, &far);
        glUniformMatrix4fv(0, 1, GL_FALSE, &view.m[0][0]);
        glUniform1f(2, t);
        if (discard) glEnable(GL_RASTERIZER_DISCARD);
        glDrawArrays(GL_TRIANGLES, 0, vertexCount);
        if (discard) glDisable(GL_RASTERIZER_DISCARD);
        GLuint source = target;
        if (samples > 1) {
            glBlitNamedFramebuffer(target, resolveTarget, 0, 0, width, height, 0, 0, width, height,
                                   GL_COLOR_BUFFER_BIT, GL_NEAREST);
            source = resolveTarget;
        }
        if (scaled) {
            const float black[4] = {0, 0, 0, 1};
            glClearNamedFramebufferfv(0, GL_COLOR, 0, black);
        }
        glBlitNamedFramebuffer(source, 0, 0, 0, width, height, left, windowHeight - top, left + outWidth,
                               windowHeight - top - outHeight, GL_COLOR_BUFFER_BIT, scaled ? GL_LINEAR : GL_NEAREST);
        SDL_GL_SwapWindow(window);
        glFinish();
        if (frame >= 0) times.push_back(NowMs() - begin);
    }
    std::sort(times.begin(), times.end());
    Result result;
    result.window = std::to_string(windowWidth) + "x" + std::to_string(windowHeight);
    result.median = times[times.size() / 2];
    result.p95 = times[static_cast<size_t>(0.95 * (times.size() - 1) + 0.5)];
    result.samples = samples;
    glDeleteFramebuffers(1, &target);
    glDeleteTextures(1, &colour);
    glDeleteTextures(1, &depth);
    if (resolved) {
        glDeleteFramebuffers(1, &resolveTarget);
        glDeleteTextures(1, &resolved);
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const int frames = argc > 1 ? std::max(20, std::atoi(argv[1])) : 300;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 2;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 4);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 5);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_Window* window = SDL_CreateWindow("bare", 0, 0, 800, 600, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "no GL 4.5 context: %s\n", SDL_GetError());
        return 2;
    }
    SDL_GL_SetSwapInterval(0);
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);

    const std::vector<CellVertex> field = BuildField();
    GLuint buffer, vertexArray;
    glCreateBuffers(1, &buffer);
    glNamedBufferStorage(buffer, field.size() * sizeof(CellVertex), field.data(), 0);
    glCreateVertexArrays(1, &vertexArray);
    for (GLuint attribute = 0; attribute < 3; ++attribute) {
        glEnableVertexArrayAttrib(vertexArray, attribute);
        glVertexArrayAttribFormat(vertexArray, attribute, 3, GL_FLOAT, GL_FALSE, 12 * attribute);
        glVertexArrayAttribBinding(vertexArray, attribute, 0);
    }
    glVertexArrayVertexBuffer(vertexArray, 0, buffer, 0, sizeof(CellVertex));

    // A stand-in for the model picture: a dark blot on white, 256 x 256.
    std::vector<unsigned char> pixels(256 * 256 * 4, 255);
    for (int y = 64; y < 192; ++y)
        for (int x = 96; x < 160; ++x) pixels[(y * 256 + x) * 4] = pixels[(y * 256 + x) * 4 + 1] = 40;
    GLuint picture, sampler;
    glCreateTextures(GL_TEXTURE_2D, 1, &picture);
    glTextureStorage2D(picture, 1, GL_RGBA8, 256, 256);
    glTextureSubImage2D(picture, 0, 0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glCreateSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTextureUnit(0, picture);
    glBindSampler(0, sampler);

    GLuint program = glCreateProgram();
    glAttachShader(program, Compile(GL_VERTEX_SHADER, vertexSource));
    glAttachShader(program, Compile(GL_FRAGMENT_SHADER, fragmentSource));
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        std::fprintf(stderr, "the field's program does not link\n");
        return 2;
    }

    const GLsizei count = static_cast<GLsizei>(field.size());
    const Result windowed = Measure(window, program, vertexArray, count, 800, 600, 1, frames);
    const Result full = Measure(window, program, vertexArray, count, 1280, 1024, 8, frames);
    const Result vertexOnly = Measure(window, program, vertexArray, count, 800, 600, 1, frames, true);
    std::printf("{\n  \"renderer\": \"%s\",\n  \"vertices\": %d,\n", glGetString(GL_RENDERER), count);
    std::printf("  \"800x600\": {\"samples\": %d, \"window\": \"%s\", \"frame_ms\": {\"median\": %.3f, \"p95\": %.3f}},\n",
                windowed.samples, windowed.window.c_str(), windowed.median, windowed.p95);
    std::printf("  \"1280x1024\": {\"samples\": %d, \"window\": \"%s\", \"frame_ms\": {\"median\": %.3f, \"p95\": %.3f}},\n",
                full.samples, full.window.c_str(), full.median, full.p95);
    std::printf("  \"vertex_stage_only\": {\"frame_ms\": {\"median\": %.3f, \"p95\": %.3f}}\n}\n",
                vertexOnly.median, vertexOnly.p95);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
