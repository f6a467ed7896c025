#include "DeviceFixture.h"

using device_test::ColourNear;
using device_test::ColourVertex;

namespace {

class DepthBuffer : public device_test::DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        // As the windowed program makes it: single-sampled, with a view of
        // the multisampled dimension.
        D3D10_TEXTURE2D_DESC desc = {kWidth, kHeight, 1, 1, DXGI_FORMAT_D32_FLOAT, {1, 0}, D3D10_USAGE_DEFAULT,
                                     D3D10_BIND_DEPTH_STENCIL, 0, 0};
        ASSERT_EQ(device_->CreateTexture2D(&desc, nullptr, &depthTexture_), S_OK);
        Own(depthTexture_);
        D3D10_DEPTH_STENCIL_VIEW_DESC viewDesc = {};
        viewDesc.Format = DXGI_FORMAT_D32_FLOAT;
        viewDesc.ViewDimension = D3D10_DSV_DIMENSION_TEXTURE2DMS;
        ASSERT_EQ(device_->CreateDepthStencilView(depthTexture_, &viewDesc, &depthView_), S_OK);
        Own(depthView_);
        device_->OMSetRenderTargets(1, &backBufferView_, depthView_);
        LoadWithIdentityTransform(device_test::kColourEffect);
        // Two screen-covering triangles: red near (depth 0.2), green far (0.8).
        const ColourVertex vertices[] = {
            {-1, 3, 0.2f, 1, 0, 0}, {3, -1, 0.2f, 1, 0, 0}, {-1, -1, 0.2f, 1, 0, 0},
            {-1, 3, 0.8f, 0, 1, 0}, {3, -1, 0.8f, 0, 1, 0}, {-1, -1, 0.8f, 0, 1, 0},
        };
        BindVertices(vertices, device_test::kColourElements, 2, Pass());
    }

    uint32_t Centre() { return platform_testing::ReadRenderTarget(backBufferView_).At(32, 24); }

    void ClearBoth() {
        const FLOAT black[4] = {0, 0, 0, 1};
        device_->ClearRenderTargetView(backBufferView_, black);
        device_->ClearDepthStencilView(depthView_, D3D10_CLEAR_DEPTH, 1.0f, 0);
    }

    ID3D10Texture2D* depthTexture_ = nullptr;
    ID3D10DepthStencilView* depthView_ = nullptr;
};

TEST_F(DepthBuffer, NearerTriangleWinsInEitherOrder) {
    ClearBoth();
    ASSERT_EQ(Pass()->Apply(0), S_OK);
    device_->Draw(3, 0);  // near
    device_->Draw(3, 3);  // far
    EXPECT_TRUE(ColourNear(Centre(), 0xff0000ff));

    ClearBoth();
    device_->Draw(3, 3);  // far
    device_->Draw(3, 0);  // near
    EXPECT_TRUE(ColourNear(Centre(), 0xff0000ff));
}

TEST_F(DepthBuffer, ClearWorksWhileDepthWritesAreOff) {
    D3D10_DEPTH_STENCIL_DESC desc = {};
    desc.DepthEnable = TRUE;
    desc.DepthWriteMask = D3D10_DEPTH_WRITE_MASK_ZERO;
    desc.DepthFunc = D3D10_COMPARISON_LESS;
    desc.FrontFace = desc.BackFace = {D3D10_STENCIL_OP_KEEP, D3D10_STENCIL_OP_KEEP, D3D10_STENCIL_OP_KEEP,
                                      D3D10_COMPARISON_ALWAYS};
    ID3D10DepthStencilState* readOnly = nullptr;
    ASSERT_EQ(device_->CreateDepthStencilState(&desc, &readOnly), S_OK);
    Own(readOnly);
    ClearBoth();
    device_->OMSetDepthStencilState(readOnly, 0);
    ASSERT_EQ(Pass()->Apply(0), S_OK);
    device_->Draw(3, 3);  // far, with writes off: the mask is now in force
    EXPECT_TRUE(ColourNear(Centre(), 0x00ff00ff));

    // A clear to 0 still lands, so nothing passes LESS afterwards.
    device_->ClearDepthStencilView(depthView_, D3D10_CLEAR_DEPTH, 0.0f, 0);
    device_->Draw(3, 0);
    EXPECT_TRUE(ColourNear(Centre(), 0x00ff00ff));
}

TEST_F(DepthBuffer, ViewOfAnotherDimensionOrFormatIsRefused) {
    D3D10_DEPTH_STENCIL_VIEW_DESC viewDesc = {};
    viewDesc.Format = DXGI_FORMAT_R32_FLOAT;
    viewDesc.ViewDimension = D3D10_DSV_DIMENSION_TEXTURE2D;
    ID3D10DepthStencilView* view = nullptr;
    EXPECT_EQ(device_->CreateDepthStencilView(depthTexture_, &viewDesc, &view), E_INVALIDARG);
    viewDesc.Format = DXGI_FORMAT_D32_FLOAT;
    viewDesc.ViewDimension = D3D10_DSV_DIMENSION_TEXTURE2DARRAY;
    EXPECT_EQ(device_->CreateDepthStencilView(depthTexture_, &viewDesc, &view), E_INVALIDARG);
    EXPECT_EQ(device_->CreateDepthStencilView(backBuffer_, nullptr, &view), E_INVALIDARG);
    EXPECT_EQ(view, nullptr);
}

}  // namespace
