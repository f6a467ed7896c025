#include "TrueTypeFont.h"

#include <cmath>
#include <fstream>
#include <iterator>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb/stb_truetype.h>
#pragma GCC diagnostic pop

struct TrueTypeFont::Face {
    stbtt_fontinfo info;
    int capHeightUnits;
    double emUnits;
};

namespace {

std::vector<std::uint32_t> DecodeUtf8(const std::string& text) {
    std::vector<std::uint32_t> codepoints;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        std::uint32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        codepoints.push_back(cp);
    }
    return codepoints;
}

}  // namespace

TrueTypeFont::TrueTypeFont(const std::string& path) : face_(std::make_unique<Face>()), loaded_(false) {
    std::ifstream in(path, std::ios::binary);
    data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (data_.empty() || !stbtt_InitFont(&face_->info, data_.data(), stbtt_GetFontOffsetForIndex(data_.data(), 0))) {
        return;
    }
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!stbtt_GetCodepointBox(&face_->info, 'H', &x0, &y0, &x1, &y1) || y1 <= 0) {
        return;
    }
    face_->capHeightUnits = y1;
    face_->emUnits = 1.0 / stbtt_ScaleForMappingEmToPixels(&face_->info, 1.0f);
    loaded_ = true;
}

TrueTypeFont::~TrueTypeFont() = default;

double TrueTypeFont::ScaleFor(const TextStyle& style) const {
    return style.capHeight / face_->capHeightUnits;
}

std::vector<double> TrueTypeFont::PenPositions(const TextStyle& style, const std::vector<std::uint32_t>& codepoints,
                                               double& width) const {
    const double scaleX = ScaleFor(style) * style.widthScale;
    const double trackingUnits = style.tracking * face_->emUnits;
    std::vector<double> pens;
    double pen = 0.0;
    for (std::size_t i = 0; i < codepoints.size(); ++i) {
        pens.push_back(pen);
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&face_->info, static_cast<int>(codepoints[i]), &advance, &bearing);
        pen += advance * scaleX;
        if (i + 1 < codepoints.size()) {
            const int kern = stbtt_GetCodepointKernAdvance(&face_->info, static_cast<int>(codepoints[i]),
                                                           static_cast<int>(codepoints[i + 1]));
            pen += (kern + trackingUnits) * scaleX;
        }
    }
    width = pen;
    return pens;
}

double TrueTypeFont::MeasureText(const TextStyle& style, const std::string& text) const {
    if (!loaded_) {
        return 0.0;
    }
    double width = 0.0;
    PenPositions(style, DecodeUtf8(text), width);
    return width;
}

void TrueTypeFont::DrawText(Canvas& canvas, const TextStyle& style, double x, double baseline,
                            const std::string& text, std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
    if (!loaded_) {
        return;
    }
    const std::vector<std::uint32_t> codepoints = DecodeUtf8(text);
    double width = 0.0;
    const std::vector<double> pens = PenPositions(style, codepoints, width);
    const float scaleY = static_cast<float>(ScaleFor(style));
    const float scaleX = static_cast<float>(ScaleFor(style) * style.widthScale);
    const double originY = std::floor(baseline);
    const float shiftY = static_cast<float>(baseline - originY);
    std::vector<unsigned char> bitmap;
    for (std::size_t i = 0; i < codepoints.size(); ++i) {
        const int cp = static_cast<int>(codepoints[i]);
        const double originX = std::floor(x + pens[i]);
        const float shiftX = static_cast<float>(x + pens[i] - originX);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(&face_->info, cp, scaleX, scaleY, shiftX, shiftY, &x0, &y0, &x1, &y1);
        const int w = x1 - x0;
        const int h = y1 - y0;
        if (w <= 0 || h <= 0) {
            continue;
        }
        bitmap.assign(static_cast<std::size_t>(w) * h, 0);
        stbtt_MakeCodepointBitmapSubpixel(&face_->info, bitmap.data(), w, h, w, scaleX, scaleY, shiftX, shiftY, cp);
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                canvas.Cover(static_cast<int>(originX) + x0 + col, static_cast<int>(originY) + y0 + row, r, g, b,
                             bitmap[static_cast<std::size_t>(row) * w + col]);
            }
        }
    }
}
