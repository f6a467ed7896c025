#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One file of data/images/ and the function that draws and encodes it;
// nothing when it cannot be made (a missing font, an image a format cannot hold).
struct ImageFile {
    std::string name;
    std::function<std::optional<std::vector<std::uint8_t>>()> make;
};

// Every image of the show, in a fixed order.
const std::vector<ImageFile>& ImageCatalog();

// The TrueType face the caption is set in.
const char* CaptionFontPath();
