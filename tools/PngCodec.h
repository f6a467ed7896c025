#pragma once

#include "Canvas.h"

#include <cstdint>
#include <optional>
#include <vector>

// 8-bit RGBA PNG, non-interlaced, without time stamps: the same canvas always
// gives the same bytes with the same libpng and zlib.
std::vector<std::uint8_t> EncodePng(const Canvas& canvas);

// Reads any PNG back as 8-bit RGBA; nothing when the bytes are not a PNG.
std::optional<Canvas> DecodePng(const std::vector<std::uint8_t>& bytes);
