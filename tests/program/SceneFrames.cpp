#include "SceneFrames.h"

#include "framework.h"

#include <PlatformTesting.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace scene_frames {

namespace {

// A renderer may round a shade or an edge pixel differently; a wrong matrix,
// a flipped picture or a missing pass moves far more than this.
const double maxMeanAbsolute = 2.5;
const int farOff = 48;
const double maxFarOffFraction = 0.01;

}  // namespace

bool LoadFrame(const std::string& path, Frame& frame) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!pixels)
        return false;
    frame.width = width;
    frame.height = height;
    frame.rgba.assign(pixels, pixels + 4 * static_cast<size_t>(width) * height);
    stbi_image_free(pixels);
    return true;
}

bool SaveFrame(const std::string& path, const Frame& frame) {
    // The targets' alpha says nothing about the picture: keep colour only.
    std::vector<uint8_t> rgb;
    rgb.reserve(frame.rgba.size() / 4 * 3);
    for (size_t i = 0; i < frame.rgba.size(); i += 4)
        rgb.insert(rgb.end(), frame.rgba.begin() + i, frame.rgba.begin() + i + 3);
    return stbi_write_png(path.c_str(), frame.width, frame.height, 3, rgb.data(), 3 * frame.width) != 0;
}

FrameDifference Compare(const Frame& a, const Frame& b, int farOffBy) {
    FrameDifference difference;
    const size_t pixels = static_cast<size_t>(a.width) * a.height;
    double total = 0.0;
    size_t far = 0;
    for (size_t i = 0; i < pixels; ++i) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
            const int d = std::abs(static_cast<int>(a.rgba[4 * i + c]) - static_cast<int>(b.rgba[4 * i + c]));
            total += d;
            worst = d > worst ? d : worst;
        }
        if (worst > farOffBy)
            ++far;
    }
    difference.meanAbsolute = total / (3.0 * pixels);
    difference.farOffFraction = static_cast<double>(far) / pixels;
    return difference;
}

std::string FrameName(const char* scene, unsigned elapsed, int digits) {
    char name[64];
    std::snprintf(name, sizeof name, "%s-%0*ums-%dx%d", scene, digits, elapsed, screenWidth, screenHeight);
    return name;
}

std::string ReferencePath(const std::string& name) { return "tests/frames/" + name + ".png"; }

std::string MatchesReference(const std::string& name, const Frame& frame) {
    const std::string path = ReferencePath(name);
    if (std::getenv("BRIMVALE_UPDATE_FRAMES")) {
        return SaveFrame(path, frame) ? std::string() : "could not write " + path;
    }
    Frame reference;
    if (!LoadFrame(path, reference))
        return "no reference frame " + path + " (run with BRIMVALE_UPDATE_FRAMES=1 to make it)";
    if (reference.width != frame.width || reference.height != frame.height)
        return path + " has another size";
    const FrameDifference difference = Compare(reference, frame, farOff);
    if (difference.meanAbsolute <= maxMeanAbsolute && difference.farOffFraction <= maxFarOffFraction)
        return std::string();
    std::ostringstream message;
    message << path << ": mean difference " << difference.meanAbsolute << ", " << 100.0 * difference.farOffFraction
            << " % of the pixels off by more than " << farOff;
    // The frame as drawn goes beside the system's temporary files for a look.
    const std::string actual = (std::filesystem::temp_directory_path() / (name + ".actual.png")).string();
    if (SaveFrame(actual, frame))
        message << "; this run's frame is " << actual;
    return message.str();
}

Frame ReadTarget(ID3D10RenderTargetView* view) {
    platform_testing::Image image = platform_testing::ReadRenderTarget(view);
    Frame frame;
    frame.width = image.width;
    frame.height = image.height;
    frame.rgba.swap(image.rgba);
    return frame;
}

ID3D10Effect* LoadSeaEffect() { return VRK::LoadEffect("data/fx/sea.fx"); }

}  // namespace scene_frames
