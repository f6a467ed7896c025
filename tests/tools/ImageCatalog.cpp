#include "GifCodec.h"
#include "ImageCatalog.h"
#include "PngCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace {

std::optional<Canvas> Decode(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string extension = name.substr(name.rfind('.'));
    return extension == ".gif" ? DecodeGif(bytes) : DecodePng(bytes);
}

}  // namespace

TEST(ImageCatalog, EveryImageDecodesAtTheSizeTheShowReads) {
    const std::pair<const char*, std::pair<int, int>> expected[] = {
        {"text.png", {512, 2048}},
        {"hexgrid.gif", {110, 184}},
        {"HaloGradient.png", {512, 8}},
        {"noise2d.png", {512, 512}},
    };
    for (const auto& [imageName, size] : expected) {
        const std::string name = imageName;
        const auto entry = std::find_if(ImageCatalog().begin(), ImageCatalog().end(),
                                        [&](const ImageFile& file) { return file.name == name; });
        ASSERT_NE(entry, ImageCatalog().end()) << name;
        const auto bytes = entry->make();
        ASSERT_TRUE(bytes.has_value()) << name;
        const auto canvas = Decode(name, *bytes);
        ASSERT_TRUE(canvas.has_value()) << name;
        EXPECT_EQ(canvas->Width(), size.first) << name;
        EXPECT_EQ(canvas->Height(), size.second) << name;
        EXPECT_EQ(entry->make(), bytes) << name << " is not drawn the same way twice";
    }
}

TEST(ImageCatalog, NamesDifferEvenIgnoringCase) {
    // The platform matches image names without regard to case.
    std::set<std::string> seen;
    for (const ImageFile& file : ImageCatalog()) {
        std::string lower = file.name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(seen.insert(lower).second) << file.name;
    }
}
