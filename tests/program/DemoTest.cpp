#include "ProgramFixture.h"
#include "RandomSequence.h"

#include "Demo.h"
#include "conformity/Conformity.h"
#include "end/End.h"
#include "greets/Greets.h"
#include "growth/Growth.h"

#include <PlatformTesting.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using platform_testing::Image;

namespace {

const unsigned showStart = 5000;

// The caption image as the text effect samples it: straight colour and
// alpha in 0..1, clamped at the edges, filtered between texel centres.
class CaptionImage {
public:
    CaptionImage() : width_(512), height_(2048), texels_(4u * 512 * 2048) {
        Gdiplus::Bitmap bitmap(L"data/images/text.png", FALSE);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                Gdiplus::Color colour;
                EXPECT_EQ(Gdiplus::Ok, bitmap.GetPixel(x, y, &colour));
                float* texel = &texels_[4u * (y * width_ + x)];
                texel[0] = colour.GetR() / 255.0f;
                texel[1] = colour.GetG() / 255.0f;
                texel[2] = colour.GetB() / 255.0f;
                texel[3] = colour.GetA() / 255.0f;
            }
    }

    void Sample(float u, float v, float out[4]) const {
        float fx = u * width_ - 0.5f, fy = v * height_ - 0.5f;
        int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
        float ax = fx - x0, ay = fy - y0;
        for (int c = 0; c < 4; ++c) {
            float top = Texel(x0, y0, c) * (1 - ax) + Texel(x0 + 1, y0, c) * ax;
            float bottom = Texel(x0, y0 + 1, c) * (1 - ax) + Texel(x0 + 1, y0 + 1, c) * ax;
            out[c] = top * (1 - ay) + bottom * ay;
        }
    }

private:
    float Texel(int x, int y, int c) const {
        x = std::clamp(x, 0, width_ - 1);
        y = std::clamp(y, 0, height_ - 1);
        return texels_[4u * (y * width_ + x) + c];
    }

    int width_, height_;
    std::vector<float> texels_;
};

const CaptionImage& Caption() {
    static const CaptionImage caption;
    return caption;
}

// How far a frame is from the scene's own picture with the caption strip
// that select picks laid over the bottom quarter: the mean difference per
// channel, in levels, over the band.
double CaptionError(const Image& frame, const Image& scene, float select) {
    const int top = frame.height * 3 / 4;
    double total = 0;
    int count = 0;
    for (int y = top; y < frame.height; ++y) {
        float band = ((y + 0.5f) - 0.75f * frame.height) / (0.25f * frame.height);
        float shade = 0.45f * band * band * (3 - 2 * band);
        for (int x = 0; x < frame.width; ++x) {
            float text[4];
            Caption().Sample((x + 0.5f) / frame.width, band * 0.15f + select, text);
            float alpha = text[3] + (1 - text[3]) * shade;
            uint32_t under = scene.At(x, y), got = frame.At(x, y);
            for (int c = 0; c < 3; ++c) {
                float behind = ((under >> (24 - 8 * c)) & 0xFF) / 255.0f;
                float expected = text[c] * text[3] + behind * (1 - alpha);
                total += std::fabs(expected * 255 - ((got >> (24 - 8 * c)) & 0xFF));
                ++count;
            }
        }
    }
    return total / count;
}

template <typename Scene>
Image SceneAlone(unsigned sceneStart, unsigned time) {
    Scene scene;
    scene.Start(sceneStart);
    scene.Update(time);
    scene.Render();
    return platform_testing::ReadRenderTarget(backBufferView);
}

// The Greets scene's boxes continue the random sequence where the scenes
// before it leave it: built alone, it is built after them, as in the show.
Image GreetsAlone(unsigned sceneStart, unsigned time) {
    LeaveGeneratorAsGrowthDoes();
    return SceneAlone<VRK::Greets>(sceneStart, time);
}

// The frame as presented: the window's own picture where the window is the
// back buffer's size; full screen scales it to the desktop, so the back
// buffer itself is read there.
Image ShowFrame(unsigned time) {
    platform_testing::CaptureWindow(swapChain);
    // The show draws its random numbers from the generator's initial state,
    // as it does at the start of its process.
    std::srand(1);
    VRK::Demo show;
    show.Start(showStart);
    show.Update(time);
    show.Render();
    return windowed ? platform_testing::LastPresentedWindow(swapChain)
                    : platform_testing::ReadRenderTarget(backBufferView);
}

const float selects[4] = {0.0f, 0.15f, 0.28f, 0.61f};

// The frame at time shows the scene's own picture under the strip of that
// scene, and clearly not under another's.
void ExpectSceneWithItsCaption(const Image& scene, unsigned time, int sceneIndex) {
    Image frame = ShowFrame(time);
    ASSERT_EQ(scene.width, frame.width);
    double own = CaptionError(frame, scene, selects[sceneIndex]);
    EXPECT_LT(own, 2.0) << "caption of scene " << sceneIndex;
    for (int other = 0; other < 4; ++other) {
        if (other != sceneIndex) {
            EXPECT_GT(CaptionError(frame, scene, selects[other]), own + 4.0) << "strip " << other;
        }
    }
    // Above the band the frame is the scene itself.
    for (int y = 0; y < frame.height * 3 / 4; y += 37)
        for (int x = 0; x < frame.width; x += 41)
            ASSERT_EQ(scene.At(x, y), frame.At(x, y)) << x << ", " << y;
}

}  // namespace

TEST(Timeline, EachFrameShowsItsSceneUnderItsCaptionStrip) {
    EnsureDeviceObjects();
    // Each window includes its start and excludes its end; the scene and the
    // caption of a frame always come from the same window.
    ExpectSceneWithItsCaption(SceneAlone<VRK::Conformity>(showStart, showStart + 7999), showStart + 7999, 0);
    // The Growth cells draw from the generator's first state, as in the show.
    std::srand(1);
    ExpectSceneWithItsCaption(SceneAlone<VRK::Growth>(showStart + 8000, showStart + 8000), showStart + 8000, 1);
    ExpectSceneWithItsCaption(GreetsAlone(showStart + 16000, showStart + 35999), showStart + 35999, 2);
    ExpectSceneWithItsCaption(SceneAlone<VRK::End>(showStart + 36000, showStart + 36000), showStart + 36000, 3);
    ExpectSceneWithItsCaption(SceneAlone<VRK::End>(showStart + 36000, showStart + 47999), showStart + 47999, 3);
}

TEST(TimelineDeathTest, TheShowEndsWithStatusOneAtFortyEightSecondsWithoutAFrame) {
    EnsureDeviceObjects();
    VRK::Demo* show = new VRK::Demo;
    show->Start(showStart);
    show->Update(showStart + 47999);
    show->Render();
    // Update must end the process itself: were it to return, abort would
    // end it with a signal instead.
    EXPECT_EXIT(
        {
            show->Update(showStart + 48000);
            std::abort();
        },
        ::testing::ExitedWithCode(1), "");
}

TEST(TimelineDeathTest, BoundsAreSumsModuloTwoToTheThirtyTwo) {
    EnsureDeviceObjects();
    // Started 1 s before the tick count wraps, the show's end bound wraps
    // past zero while the start does not, so every later tick lies outside
    // the unsigned window and the first update ends the show.
    VRK::Demo* show = new VRK::Demo;
    show->Start(0xFFFFFFFFu - 1000u);
    EXPECT_EXIT(
        {
            show->Update(0xFFFFFFFFu - 500u);
            std::abort();
        },
        ::testing::ExitedWithCode(1), "");
}
