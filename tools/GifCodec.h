#pragma once

#include "Canvas.h"

#include <cstdint>
#include <optional>
#include <vector>

// One-frame GIF89a. Every pixel must be either fully transparent or opaque,
// with at most 255 opaque colours; transparent pixels share one palette entry,
// marked transparent, whose colour is that of the first transparent pixel.
// Nothing when the canvas breaks those rules.
std::optional<std::vector<std::uint8_t>> EncodeGif(const Canvas& canvas);

// Reads the first frame of a GIF as RGBA, the transparent entry as alpha 0.
std::optional<Canvas> DecodeGif(const std::vector<std::uint8_t>& bytes);
