#include "DeviceFixture.h"

namespace {

class ResourceCreation : public device_test::DeviceTest {
protected:
    static D3D10_TEXTURE2D_DESC TextureDesc() {
        return {16, 16, 1, 1, DXGI_FORMAT_R8G8B8A8_UNORM, {1, 0}, D3D10_USAGE_DEFAULT, D3D10_BIND_SHADER_RESOURCE, 0, 0};
    }

    HRESULT TryTexture(const D3D10_TEXTURE2D_DESC& desc, const D3D10_SUBRESOURCE_DATA* data = nullptr) {
        ID3D10Texture2D* texture = reinterpret_cast<ID3D10Texture2D*>(0x1);
        HRESULT result = device_->CreateTexture2D(&desc, data, &texture);
        if (SUCCEEDED(result))
            texture->Release();
        else
            EXPECT_EQ(texture, nullptr);
        return result;
    }
};

TEST_F(ResourceCreation, BadTextureDescriptionsAreRefused) {
    D3D10_TEXTURE2D_DESC desc = TextureDesc();
    EXPECT_EQ(TryTexture(desc), S_OK);
    desc.Width = 0;
    EXPECT_EQ(TryTexture(desc), E_INVALIDARG);
    desc = TextureDesc();
    desc.Format = DXGI_FORMAT_UNKNOWN;
    EXPECT_EQ(TryTexture(desc), E_INVALIDARG);
    desc = TextureDesc();
    desc.MipLevels = 6;  // a 16 x 16 chain has 5
    EXPECT_EQ(TryTexture(desc), E_INVALIDARG);
    desc = TextureDesc();
    desc.Format = DXGI_FORMAT_D32_FLOAT;
    desc.BindFlags = D3D10_BIND_RENDER_TARGET;
    EXPECT_EQ(TryTexture(desc), E_INVALIDARG);
    desc = TextureDesc();
    desc.Usage = D3D10_USAGE_IMMUTABLE;
    EXPECT_EQ(TryTexture(desc), E_INVALIDARG);
    desc = TextureDesc();
    uint8_t pixels[16 * 16 * 4] = {};
    D3D10_SUBRESOURCE_DATA tooNarrow = {pixels, 16, 0};
    EXPECT_EQ(TryTexture(desc, &tooNarrow), E_INVALIDARG);
    EXPECT_EQ(device_->CreateTexture2D(nullptr, nullptr, nullptr), E_INVALIDARG);
}

TEST_F(ResourceCreation, ZeroMipLevelsMeansTheWholeChain) {
    D3D10_TEXTURE2D_DESC desc = TextureDesc();
    desc.MipLevels = 0;
    ID3D10Texture2D* texture = nullptr;
    ASSERT_EQ(device_->CreateTexture2D(&desc, nullptr, &texture), S_OK);
    D3D10_TEXTURE2D_DESC back;
    texture->GetDesc(&back);
    EXPECT_EQ(back.MipLevels, 5u);
    texture->Release();
}

TEST_F(ResourceCreation, BadBufferDescriptionsAreRefused) {
    const float data[4] = {};
    D3D10_SUBRESOURCE_DATA initial = {data, 0, 0};
    ID3D10Buffer* buffer = nullptr;
    D3D10_BUFFER_DESC desc = {0, D3D10_USAGE_DEFAULT, D3D10_BIND_VERTEX_BUFFER, 0, 0};
    EXPECT_EQ(device_->CreateBuffer(&desc, &initial, &buffer), E_INVALIDARG);
    desc = {16, D3D10_USAGE_IMMUTABLE, D3D10_BIND_VERTEX_BUFFER, 0, 0};
    EXPECT_EQ(device_->CreateBuffer(&desc, nullptr, &buffer), E_INVALIDARG);
    desc = {16, D3D10_USAGE_DEFAULT, 0, 0, 0};
    EXPECT_EQ(device_->CreateBuffer(&desc, &initial, &buffer), E_INVALIDARG);
    EXPECT_EQ(buffer, nullptr);
    desc = {16, D3D10_USAGE_DEFAULT, D3D10_BIND_VERTEX_BUFFER, 0, 0};
    ASSERT_EQ(device_->CreateBuffer(&desc, &initial, &buffer), S_OK);
    D3D10_BUFFER_DESC back;
    buffer->GetDesc(&back);
    EXPECT_EQ(back.ByteWidth, 16u);
    buffer->Release();
}

TEST_F(ResourceCreation, ViewsNeedTheMatchingBindFlag) {
    D3D10_TEXTURE2D_DESC desc = TextureDesc();
    ID3D10Texture2D* texture = nullptr;
    ASSERT_EQ(device_->CreateTexture2D(&desc, nullptr, &texture), S_OK);
    Own(texture);
    ID3D10RenderTargetView* target = nullptr;
    EXPECT_EQ(device_->CreateRenderTargetView(texture, nullptr, &target), E_INVALIDARG);
    EXPECT_EQ(target, nullptr);
    ID3D10ShaderResourceView* source = nullptr;
    EXPECT_EQ(device_->CreateShaderResourceView(backBuffer_, nullptr, &source), E_INVALIDARG);
    EXPECT_EQ(device_->CreateShaderResourceView(nullptr, nullptr, &source), E_INVALIDARG);
    ASSERT_EQ(device_->CreateShaderResourceView(texture, nullptr, &source), S_OK);
    D3D10_SHADER_RESOURCE_VIEW_DESC viewDesc;
    source->GetDesc(&viewDesc);
    EXPECT_EQ(viewDesc.ViewDimension, D3D10_SRV_DIMENSION_TEXTURE2D);
    EXPECT_EQ(viewDesc.Format, DXGI_FORMAT_R8G8B8A8_UNORM);
    source->Release();
}

TEST_F(ResourceCreation, BadStateDescriptionsAreRefused) {
    D3D10_RASTERIZER_DESC rasterizer = {static_cast<D3D10_FILL_MODE>(0), D3D10_CULL_BACK, FALSE, 0, 0, 0,
                                        TRUE, FALSE, FALSE, FALSE};
    ID3D10RasterizerState* rasterizerState = nullptr;
    EXPECT_EQ(device_->CreateRasterizerState(&rasterizer, &rasterizerState), E_INVALIDARG);

    D3D10_BLEND_DESC blend = {};
    blend.SrcBlend = D3D10_BLEND_ONE;
    blend.DestBlend = D3D10_BLEND_ZERO;
    blend.BlendOp = D3D10_BLEND_OP_ADD;
    blend.SrcBlendAlpha = D3D10_BLEND_SRC_COLOR;  // a colour factor for alpha
    blend.DestBlendAlpha = D3D10_BLEND_ZERO;
    blend.BlendOpAlpha = D3D10_BLEND_OP_ADD;
    ID3D10BlendState* blendState = nullptr;
    EXPECT_EQ(device_->CreateBlendState(&blend, &blendState), E_INVALIDARG);

    D3D10_DEPTH_STENCIL_DESC depth = {};
    depth.DepthFunc = static_cast<D3D10_COMPARISON_FUNC>(0);
    ID3D10DepthStencilState* depthState = nullptr;
    EXPECT_EQ(device_->CreateDepthStencilState(&depth, &depthState), E_INVALIDARG);

    D3D10_SAMPLER_DESC sampler = {};
    sampler.Filter = D3D10_FILTER_MIN_MAG_MIP_LINEAR;
    sampler.AddressU = sampler.AddressV = D3D10_TEXTURE_ADDRESS_WRAP;
    sampler.AddressW = static_cast<D3D10_TEXTURE_ADDRESS_MODE>(0);
    sampler.ComparisonFunc = D3D10_COMPARISON_NEVER;
    ID3D10SamplerState* samplerState = nullptr;
    EXPECT_EQ(device_->CreateSamplerState(&sampler, &samplerState), E_INVALIDARG);
    sampler.AddressW = D3D10_TEXTURE_ADDRESS_WRAP;
    ASSERT_EQ(device_->CreateSamplerState(&sampler, &samplerState), S_OK);
    samplerState->Release();

    EXPECT_EQ(rasterizerState, nullptr);
    EXPECT_EQ(blendState, nullptr);
    EXPECT_EQ(depthState, nullptr);
}

}  // namespace
