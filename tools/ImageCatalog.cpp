#include "ImageCatalog.h"

#include "CaptionImage.h"
#include "GifCodec.h"
#include "GrowthRibbonsImage.h"
#include "HaloGradientImage.h"
#include "HexGridImage.h"
#include "NoiseImage.h"
#include "ParticleImage.h"
#include "PngCodec.h"
#include "TrueTypeFont.h"

namespace {

std::optional<std::vector<std::uint8_t>> MakeCaption() {
    const TrueTypeFont font(CaptionFontPath());
    if (!font.IsLoaded()) {
        return std::nullopt;
    }
    return EncodePng(DrawCaptionImage(font));
}

std::optional<std::vector<std::uint8_t>> MakeHexGrid() {
    return EncodeGif(DrawHexGridImage());
}

std::optional<std::vector<std::uint8_t>> MakeGrowthRibbons() { return EncodeGif(DrawGrowthRibbonsImage()); }

std::optional<std::vector<std::uint8_t>> MakeParticle() { return EncodePng(DrawParticleImage()); }

std::optional<std::vector<std::uint8_t>> MakeHaloGradient() { return EncodePng(DrawHaloGradientImage()); }

std::optional<std::vector<std::uint8_t>> MakeNoise() { return EncodePng(DrawNoiseImage()); }

}  // namespace

const char* CaptionFontPath() {
    return BRIMVALE_CAPTION_FONT;
}

const std::vector<ImageFile>& ImageCatalog() {
    // The show also opens the grid as "HexGrid.gif"; the platform matches file
    // names without regard to case, so one file serves both.
    static const std::vector<ImageFile> catalog = {
        {"text.png", MakeCaption},
        {"hexgrid.gif", MakeHexGrid},
        {"GrowthRibbons.gif", MakeGrowthRibbons},
        {"particle.png", MakeParticle},
        {"HaloGradient.png", MakeHaloGradient},
        {"noise2d.png", MakeNoise},
    };
    return catalog;
}
