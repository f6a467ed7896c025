#include "CaptionImage.h"

#include <algorithm>
#include <cassert>
#include <cmath>

const float kCaptionSelectors[kCaptionStripCount] = {0.0f, 0.15f, 0.28f, 0.61f};
const float kCaptionStripHeight = 0.15f;

namespace {

struct Caption {
    const char* title;
    const char* line;
};

const Caption kCaptions[kCaptionStripCount] = {
    {"BRIMVALE", "I \u00B7 CONFORMITY"},
    {"GROWTH", "II \u00B7 FROM A SINGLE CELL"},
    {"GREETINGS", "III \u00B7 TO THIRTEEN FRIENDS"},
    {"THE END", "IV \u00B7 THANKS FOR WATCHING"},
};

// The strip (512 x 307 texels, 1.67 : 1) is shown across the full width and
// the bottom quarter of the screen (5.3 : 1 at 800 x 600, 5 : 1 at 1280 x 1024):
// glyphs are set this much narrower so that they keep their proportions there.
const double kScreenStretch = 3.1;

const int kMarginX = 28;
const int kFilterMargin = 3;
const double kTitleTop = 72.0;  // rows below the strip's top
const double kTitleCap = 104.0;
const double kLineCap = 32.0;
const double kLineTracking = 0.16;
const int kRuleWidth = 36;
const int kRuleHeight = 4;
const int kRuleGap = 10;

double StripTop(int strip) {
    return static_cast<double>(kCaptionSelectors[strip]) * kCaptionHeight;
}

double StripBottom(int strip) {
    return StripTop(strip) + static_cast<double>(kCaptionStripHeight) * kCaptionHeight;
}

// Shrinks the style until the text fits the width available.
TextStyle Fitted(const TrueTypeFont& font, TextStyle style, const char* text, double width) {
    const double measured = font.MeasureText(style, text);
    if (measured > width) {
        style.capHeight *= width / measured;
    }
    return style;
}

}  // namespace

CaptionBand CaptionTextBand(int strip) {
    assert(strip >= 0 && strip < kCaptionStripCount);
    double first = StripTop(strip);
    double last = StripBottom(strip);
    for (int other = 0; other < kCaptionStripCount; ++other) {
        if (other == strip) {
            continue;
        }
        // Strips only overlap at their ends: trim the shared rows off ours.
        if (StripTop(other) < last && StripBottom(other) > first) {
            if (StripTop(other) > StripTop(strip)) {
                last = StripTop(other);
            } else {
                first = StripBottom(other);
            }
        }
    }
    return {static_cast<int>(std::ceil(first)) + kFilterMargin, static_cast<int>(std::floor(last)) - kFilterMargin};
}

Canvas DrawCaptionImage(const TrueTypeFont& font) {
    Canvas canvas(kCaptionWidth, kCaptionHeight);
    // Transparent texels stay white so that filtering at glyph edges never
    // darkens them.
    canvas.Fill(255, 255, 255, 0);
    const double usableWidth = kCaptionWidth - 2 * kMarginX;
    for (int strip = 0; strip < kCaptionStripCount; ++strip) {
        // Every strip is laid out alike, so the text does not jump between
        // scenes: the title, then a line under it, all within the rows that
        // only this strip shows.
        const CaptionBand band = CaptionTextBand(strip);
        const double top = std::round(StripTop(strip));
        const double titleBaseline = top + kTitleTop + kTitleCap;
        const double lineBaseline = titleBaseline + 34.0 + kLineCap;
        assert(titleBaseline - kTitleCap >= band.first && lineBaseline + 2.0 <= band.last);

        TextStyle title;
        title.capHeight = kTitleCap;
        title.widthScale = 1.0 / kScreenStretch;
        title = Fitted(font, title, kCaptions[strip].title, usableWidth);
        font.DrawText(canvas, title, kMarginX, titleBaseline, kCaptions[strip].title, 255, 255, 255);

        // A short dash leads the line, level with the middle of its capitals.
        const int ruleTop = static_cast<int>(lineBaseline - kLineCap / 2.0) - kRuleHeight / 2;
        for (int y = 0; y < kRuleHeight; ++y) {
            for (int x = 0; x < kRuleWidth; ++x) {
                canvas.Cover(kMarginX + 3 + x, ruleTop + y, 255, 255, 255, 255);
            }
        }

        TextStyle line;
        line.capHeight = kLineCap;
        line.widthScale = 1.0 / kScreenStretch;
        line.tracking = kLineTracking;
        const double lineX = kMarginX + 3 + kRuleWidth + kRuleGap;
        line = Fitted(font, line, kCaptions[strip].line, kCaptionWidth - kMarginX - lineX);
        font.DrawText(canvas, line, lineX, lineBaseline, kCaptions[strip].line, 240, 244, 250);
    }
    return canvas;
}
