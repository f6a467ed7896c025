#include "TexelReader.h"

#include "texture.h"

#include "TestImages.h"

#include <gtest/gtest.h>

#include <string>

using platform_testing::Image;
using testimages::Wide;
using texel_reader::ReadTexels;

namespace {

const uint32_t opaqueBlack = 0x000000FFu;

// A 3 x 2 image: the pixel under test, then five others that tell rows and
// columns apart.
std::string WriteSmallPng(const std::string& name) {
    testimages::Picture picture{3, 2, {0x80FF4020u, 0xFF00FF00u, 0xFF0000FFu,  //
                                       0xFFFFFFFFu, 0xFF808080u, 0x00000000u}};
    std::vector<unsigned char> png = testimages::EncodePng(picture);
    return WriteTempFile(name, std::string(png.begin(), png.end()));
}

}  // namespace

TEST(ImageTexture, HoldsRedGreenBlueAlphaInThatByteOrder) {
    EnsureDeviceObjects();
    VRK::Texture texture(Wide(WriteSmallPng("small.png")).c_str(), 3, 2);
    Image texels = ReadTexels(texture.GetSourceView());
    EXPECT_EQ(0xFF402080u, texels.At(0, 0));  // ARGB 80 FF 40 20 as bytes FF 40 20 80
    EXPECT_EQ(0x00FF00FFu, texels.At(1, 0));
    EXPECT_EQ(0x0000FFFFu, texels.At(2, 0));
    EXPECT_EQ(0xFFFFFFFFu, texels.At(0, 1));
    EXPECT_EQ(0x80808000u | 0xFFu, texels.At(1, 1));
    EXPECT_EQ(0x00000000u, texels.At(2, 1));
}

TEST(ImageTexture, TexelsOutsideTheImageAreOpaqueBlack) {
    EnsureDeviceObjects();
    VRK::Texture texture(Wide(WriteSmallPng("larger.png")).c_str(), 5, 4);
    Image texels = ReadTexels(texture.GetSourceView());
    EXPECT_EQ(0xFF402080u, texels.At(0, 0));
    EXPECT_EQ(0x0000FFFFu, texels.At(2, 0));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            if (x >= 3 || y >= 2) {
                EXPECT_EQ(opaqueBlack, texels.At(x, y)) << x << ", " << y;
            }
        }
    }
}

TEST(ImageTexture, ASmallerSizeTakesTheTopLeftPart) {
    EnsureDeviceObjects();
    VRK::Texture texture(Wide(WriteSmallPng("smaller.png")).c_str(), 2, 1);
    Image texels = ReadTexels(texture.GetSourceView());
    EXPECT_EQ(0xFF402080u, texels.At(0, 0));
    EXPECT_EQ(0x00FF00FFu, texels.At(1, 0));
}

TEST(ImageTexture, MissingOrBrokenFilesGiveOpaqueBlack) {
    EnsureDeviceObjects();
    std::vector<unsigned char> bytes =
        testimages::EncodePng(testimages::Picture{4, 4, std::vector<uint32_t>(16, 0xFFFFFFFFu)});
    const std::string cut = WriteTempFile("cut.png", std::string(bytes.begin(), bytes.begin() + bytes.size() / 2));
    const std::string text = WriteTempFile("text.png", "not an image at all");
    for (const std::string& path : {testing::TempDir() + "missing.png", cut, text}) {
        VRK::Texture texture(Wide(path).c_str(), 4, 4);
        Image texels = ReadTexels(texture.GetSourceView());
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(opaqueBlack, texels.At(x, y)) << path << " at " << x << ", " << y;
    }
}

TEST(EmptyTexture, ATargetCanBeRenderedIntoAndThenSampled) {
    EnsureDeviceObjects();
    VRK::Texture texture(4, 3, VRK::TexturePurpose::Target | VRK::TexturePurpose::Source);
    const float colour[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    device->ClearRenderTargetView(texture.GetTargetView(), colour);
    Image texels = ReadTexels(texture.GetSourceView());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(0x00FF00FFu, texels.At(x, y));

    ID3D10Resource* resource = nullptr;
    texture.GetTargetView()->GetResource(&resource);
    D3D10_TEXTURE2D_DESC desc = {};
    static_cast<ID3D10Texture2D*>(resource)->GetDesc(&desc);
    resource->Release();
    EXPECT_EQ(DXGI_FORMAT_R8G8B8A8_UNORM, desc.Format);
    EXPECT_EQ(1u, desc.MipLevels);
    EXPECT_EQ(1u, desc.SampleDesc.Count);
    EXPECT_EQ(unsigned(D3D10_BIND_RENDER_TARGET | D3D10_BIND_SHADER_RESOURCE), desc.BindFlags);
}

TEST(EmptyTexture, ADepthTextureIsAFloatDepthBufferWithAPlainView) {
    EnsureDeviceObjects();
    VRK::Texture texture(16, 16, VRK::TexturePurpose::Depth);
    ID3D10DepthStencilView* view = texture.GetDepthView();
    ASSERT_NE(nullptr, view);
    D3D10_DEPTH_STENCIL_VIEW_DESC viewDesc = {};
    view->GetDesc(&viewDesc);
    EXPECT_EQ(DXGI_FORMAT_D32_FLOAT, viewDesc.Format);
    EXPECT_EQ(D3D10_DSV_DIMENSION_TEXTURE2D, viewDesc.ViewDimension);
    ID3D10Resource* resource = nullptr;
    view->GetResource(&resource);
    D3D10_TEXTURE2D_DESC desc = {};
    static_cast<ID3D10Texture2D*>(resource)->GetDesc(&desc);
    resource->Release();
    EXPECT_EQ(DXGI_FORMAT_D32_FLOAT, desc.Format);
    EXPECT_EQ(unsigned(D3D10_BIND_DEPTH_STENCIL), desc.BindFlags);
    EXPECT_EQ(1u, desc.SampleDesc.Count);
}

TEST(TextureDeathTest, ViewsOfPurposesATextureLacksFailTheirAssertions) {
    EnsureDeviceObjects();
    VRK::Texture depth(8, 8, VRK::TexturePurpose::Depth);
    EXPECT_DEATH(depth.GetTargetView(), "purpose_ & TexturePurpose::Target");
    EXPECT_DEATH(depth.GetSourceView(), "purpose_ & TexturePurpose::Source");
    VRK::Texture image(L"data/images/text.png", 8, 8);
    EXPECT_DEATH(image.GetTargetView(), "purpose_ & TexturePurpose::Target");
    EXPECT_DEATH(image.GetDepthView(), "purpose_ & TexturePurpose::Depth");
    EXPECT_NE(nullptr, image.GetSourceView());
}
