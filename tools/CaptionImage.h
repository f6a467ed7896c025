#pragma once

#include "Canvas.h"
#include "TrueTypeFont.h"

// The caption image: 512 x 2048, one strip of text per scene, light text whose
// alpha is its coverage on a transparent background. The show shows a window
// 0.15 of the image high that starts at the scene's selector (a fraction of the
// height).
constexpr int kCaptionWidth = 512;
constexpr int kCaptionHeight = 2048;
constexpr int kCaptionStripCount = 4;
extern const float kCaptionSelectors[kCaptionStripCount];
extern const float kCaptionStripHeight;

// Rows [first, last) of the image that a strip may draw into: the strip less
// any part another strip also shows, less a margin for texture filtering.
struct CaptionBand {
    int first;
    int last;
};
CaptionBand CaptionTextBand(int strip);

Canvas DrawCaptionImage(const TrueTypeFont& font);
