#include "DeviceFixture.h"

using device_test::ColourNear;
using platform_testing::Image;

namespace {

class DeviceClear : public device_test::DeviceTest {};

TEST_F(DeviceClear, FillsWholeTargetWhateverTheViewport) {
    SetViewport(10, 10, 8, 8);
    const FLOAT green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    device_->ClearRenderTargetView(backBufferView_, green);
    Image image = platform_testing::ReadRenderTarget(backBufferView_);
    ASSERT_EQ(image.width, static_cast<int>(kWidth));
    ASSERT_EQ(image.height, static_cast<int>(kHeight));
    for (int y = 0; y < image.height; y += 7)
        for (int x = 0; x < image.width; x += 7) EXPECT_TRUE(ColourNear(image.At(x, y), 0x00ff00ff)) << x << "," << y;
    EXPECT_TRUE(ColourNear(image.At(kWidth - 1, kHeight - 1), 0x00ff00ff));
}

TEST_F(DeviceClear, IgnoresTheWriteMaskOfTheBoundBlendState) {
    D3D10_BLEND_DESC desc = {};
    desc.SrcBlend = desc.SrcBlendAlpha = D3D10_BLEND_ONE;
    desc.DestBlend = desc.DestBlendAlpha = D3D10_BLEND_ZERO;
    desc.BlendOp = desc.BlendOpAlpha = D3D10_BLEND_OP_ADD;
    desc.RenderTargetWriteMask[0] = D3D10_COLOR_WRITE_ENABLE_RED;
    ID3D10BlendState* redOnly = nullptr;
    ASSERT_EQ(device_->CreateBlendState(&desc, &redOnly), S_OK);
    Own(redOnly);
    device_->OMSetBlendState(redOnly, nullptr, 0xffffffffu);

    // Draw once so that the mask really is in force before the clear.
    LoadWithIdentityTransform(device_test::kColourEffect);
    const device_test::ColourVertex triangle[] = {{-1, -1, 0, 1, 1, 1}, {-1, 3, 0, 1, 1, 1}, {3, -1, 0, 1, 1, 1}};
    BindVertices(triangle, device_test::kColourElements, 2, Pass());
    ASSERT_EQ(Pass()->Apply(0), S_OK);
    device_->Draw(3, 0);

    const FLOAT blue[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    device_->ClearRenderTargetView(backBufferView_, blue);
    EXPECT_TRUE(ColourNear(platform_testing::ReadRenderTarget(backBufferView_).At(5, 5), 0x0000ffff));
}

}  // namespace
