#pragma once

#include "Canvas.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// How a line of text is set: sizes are in output pixels.
struct TextStyle {
    double capHeight = 32.0;  // height of a capital H
    double widthScale = 1.0;  // horizontal squeeze applied to every glyph and advance
    double tracking = 0.0;    // extra space after each glyph, as a fraction of the em
};

// A TrueType face rasterised with stb_truetype. Text is UTF-8; glyphs are
// painted as coverage of one colour, so overlapping glyphs merge smoothly.
class TrueTypeFont {
public:
    explicit TrueTypeFont(const std::string& path);
    ~TrueTypeFont();
    TrueTypeFont(const TrueTypeFont&) = delete;
    TrueTypeFont& operator=(const TrueTypeFont&) = delete;

    bool IsLoaded() const { return loaded_; }

    // Width in pixels of the text as DrawText would set it, from the pen start
    // to the end of the last glyph's advance (trailing tracking excluded).
    double MeasureText(const TextStyle& style, const std::string& text) const;

    void DrawText(Canvas& canvas, const TextStyle& style, double x, double baseline,
                  const std::string& text, std::uint8_t r, std::uint8_t g, std::uint8_t b) const;

private:
    struct Face;
    double ScaleFor(const TextStyle& style) const;
    std::vector<double> PenPositions(const TextStyle& style, const std::vector<std::uint32_t>& codepoints,
                                     double& width) const;

    std::vector<std::uint8_t> data_;
    std::unique_ptr<Face> face_;
    bool loaded_;
};
