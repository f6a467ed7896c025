#include "DeviceFixture.h"

using device_test::ColourNear;
using device_test::TexturedVertex;
using platform_testing::Image;

namespace {

class TextureSampling : public device_test::DeviceTest {
protected:
    // Covers the target with the texture, its v = 0 edge at the top.
    void DrawTextureOverTarget(ID3D10ShaderResourceView* source) {
        if (!effect_) LoadEffect(device_test::kTexturedEffect);
        ASSERT_EQ(effect_->GetVariableByName("Image")->AsShaderResource()->SetResource(source), S_OK);
        const TexturedVertex quad[] = {
            {-1, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, -1, 0, 1, 1},
            {-1, 1, 0, 0, 0}, {1, -1, 0, 1, 1}, {-1, -1, 0, 0, 1},
        };
        BindVertices(quad, device_test::kTexturedElements, 2, Pass());
        ASSERT_EQ(Pass()->Apply(0), S_OK);
        device_->Draw(6, 0);
    }

    ID3D10Texture2D* MakeTexture(UINT size, UINT bindFlags, const D3D10_SUBRESOURCE_DATA* data) {
        D3D10_TEXTURE2D_DESC desc = {size, size, 1, 1, DXGI_FORMAT_R8G8B8A8_UNORM, {1, 0}, D3D10_USAGE_DEFAULT,
                                     bindFlags, 0, 0};
        ID3D10Texture2D* texture = nullptr;
        EXPECT_EQ(device_->CreateTexture2D(&desc, data, &texture), S_OK);
        return Own(texture);
    }
};

TEST_F(TextureSampling, ImageUploadedTopRowFirstIsUpright) {
    const UINT size = 8;
    std::vector<uint8_t> pixels(size * size * 4);
    for (UINT y = 0; y < size; ++y) {
        for (UINT x = 0; x < size; ++x) {
            uint8_t* p = &pixels[(y * size + x) * 4];
            p[0] = y < size / 2 ? 255 : 0;  // top half red, bottom half green
            p[1] = y < size / 2 ? 0 : 255;
            p[2] = x < size / 2 ? 0 : 255;  // right half with blue
            p[3] = 255;
        }
    }
    D3D10_SUBRESOURCE_DATA data = {pixels.data(), size * 4, size * size * 4};
    ID3D10Texture2D* texture = MakeTexture(size, D3D10_BIND_SHADER_RESOURCE, &data);
    ID3D10ShaderResourceView* view = nullptr;
    ASSERT_EQ(device_->CreateShaderResourceView(texture, nullptr, &view), S_OK);
    Own(view);
    DrawTextureOverTarget(view);
    Image image = platform_testing::ReadRenderTarget(backBufferView_);
    EXPECT_TRUE(ColourNear(image.At(4, 4), 0xff0000ff));
    EXPECT_TRUE(ColourNear(image.At(60, 4), 0xff00ffff));
    EXPECT_TRUE(ColourNear(image.At(4, 44), 0x00ff00ff));
    EXPECT_TRUE(ColourNear(image.At(60, 44), 0x00ffffff));
}

TEST_F(TextureSampling, RenderedTextureIsUprightWhenSampled) {
    ID3D10Texture2D* texture = MakeTexture(32, D3D10_BIND_RENDER_TARGET | D3D10_BIND_SHADER_RESOURCE, nullptr);
    ID3D10RenderTargetView* target = nullptr;
    ID3D10ShaderResourceView* source = nullptr;
    ASSERT_EQ(device_->CreateRenderTargetView(texture, nullptr, &target), S_OK);
    Own(target);
    ASSERT_EQ(device_->CreateShaderResourceView(texture, nullptr, &source), S_OK);
    Own(source);

    // Into the texture: blue, with a red band over its top half.
    const FLOAT blue[4] = {0, 0, 1, 1};
    device_->ClearRenderTargetView(target, blue);
    device_->OMSetRenderTargets(1, &target, nullptr);
    SetViewport(0, 0, 32, 32);
    LoadWithIdentityTransform(device_test::kColourEffect);
    const device_test::ColourVertex band[] = {
        {-1, 1, 0, 1, 0, 0}, {1, 1, 0, 1, 0, 0}, {1, 0, 0, 1, 0, 0},
        {-1, 1, 0, 1, 0, 0}, {1, 0, 0, 1, 0, 0}, {-1, 0, 0, 1, 0, 0},
    };
    BindVertices(band, device_test::kColourElements, 2, Pass());
    ASSERT_EQ(Pass()->Apply(0), S_OK);
    device_->Draw(6, 0);
    Image rendered = platform_testing::ReadRenderTarget(target);
    EXPECT_TRUE(ColourNear(rendered.At(16, 4), 0xff0000ff));
    EXPECT_TRUE(ColourNear(rendered.At(16, 28), 0x0000ffff));

    // Then sampled over the back buffer.
    device_->OMSetRenderTargets(1, &backBufferView_, nullptr);
    SetViewport(0, 0, kWidth, kHeight);
    LoadEffect(device_test::kTexturedEffect);
    DrawTextureOverTarget(source);
    Image image = platform_testing::ReadRenderTarget(backBufferView_);
    EXPECT_TRUE(ColourNear(image.At(32, 6), 0xff0000ff));
    EXPECT_TRUE(ColourNear(image.At(32, 42), 0x0000ffff));
}

}  // namespace
