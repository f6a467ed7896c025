#include "DeviceFixture.h"

using device_test::ColourNear;
using device_test::ColourVertex;
using platform_testing::Image;

namespace {

class SwapChain : public device_test::DeviceTest {
protected:
    void SetUp() override {}

    // Blue, with a white triangle whose long edge runs diagonally across
    // the upper half.
    void DrawScene() {
        LoadWithIdentityTransform(device_test::kColourEffect);
        const ColourVertex upperTriangle[] = {{-1, 1, 0, 1, 1, 1}, {1, 1, 0, 1, 1, 1}, {1, 0, 0, 1, 1, 1}};
        BindVertices(upperTriangle, device_test::kColourElements, 2, Pass());
        const FLOAT blue[4] = {0, 0, 1, 1};
        device_->ClearRenderTargetView(backBufferView_, blue);
        ASSERT_EQ(Pass()->Apply(0), S_OK);
        device_->Draw(3, 0);
    }
};

TEST_F(SwapChain, BackBufferIsUprightInTheWindowAfterPresent) {
    CreateDevice(1, 0);
    platform_testing::CaptureWindow(swapChain_);
    DrawScene();
    ASSERT_EQ(swapChain_->Present(0, 0), S_OK);
    Image window = platform_testing::LastPresentedWindow(swapChain_);
    ASSERT_EQ(window.width, static_cast<int>(kWidth));
    ASSERT_EQ(window.height, static_cast<int>(kHeight));
    EXPECT_TRUE(ColourNear(window.At(60, 2), 0xffffffff));   // top right: the triangle
    EXPECT_TRUE(ColourNear(window.At(2, 20), 0x0000ffff));   // left of its edge
    EXPECT_TRUE(ColourNear(window.At(60, 44), 0x0000ffff));  // bottom: background
}

TEST_F(SwapChain, MultisampledBackBufferIsResolvedOnPresent) {
    // As the full-screen program asks: 8 samples at quality 16, with
    // multisampling enabled in the rasterizer state.
    CreateDevice(8, 16);
    if (platform_testing::EffectiveSampleCount(device_, 8) < 2) GTEST_SKIP() << "the driver offers no multisampling";
    D3D10_RASTERIZER_DESC rasterizerDesc = {D3D10_FILL_SOLID, D3D10_CULL_BACK, FALSE, 0, 0.0f, 0.0f,
                                            TRUE,             FALSE,           TRUE,  FALSE};
    ID3D10RasterizerState* rasterizer = nullptr;
    ASSERT_EQ(device_->CreateRasterizerState(&rasterizerDesc, &rasterizer), S_OK);
    device_->RSSetState(Own(rasterizer));
    platform_testing::CaptureWindow(swapChain_);
    DrawScene();
    ASSERT_EQ(swapChain_->Present(0, 0), S_OK);
    Image window = platform_testing::LastPresentedWindow(swapChain_);
    ASSERT_EQ(window.width, static_cast<int>(kWidth));
    EXPECT_TRUE(ColourNear(window.At(60, 2), 0xffffffff));
    EXPECT_TRUE(ColourNear(window.At(60, 44), 0x0000ffff));
    // Along the diagonal edge some pixels are partly covered: their red
    // lies strictly between the triangle's and the background's.
    int blended = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 64; ++x) {
            uint32_t red = window.At(x, y) >> 24;
            if (red > 20 && red < 235) ++blended;
        }
    EXPECT_GT(blended, 8);
    // The render-target view of the multisampled buffer reads back resolved too.
    Image target = platform_testing::ReadRenderTarget(backBufferView_);
    EXPECT_TRUE(ColourNear(target.At(60, 2), 0xffffffff));
}

TEST_F(SwapChain, BackBufferOfAnotherShapeIsScaledIntoTheWindowKeepingItsAspect) {
    // A 32 x 48 back buffer in a 64 x 48 window: drawn 32 wide, centred.
    window_ = device_test::MakeWindow(kWidth, kHeight);
    ASSERT_NO_FATAL_FAILURE(CreateDeviceFor(device_test::SwapChainDesc(window_, 32, 48, 1, 0)));
    const FLOAT white[4] = {1, 1, 1, 1};
    device_->ClearRenderTargetView(backBufferView_, white);
    platform_testing::CaptureWindow(swapChain_);
    ASSERT_EQ(swapChain_->Present(0, 0), S_OK);
    Image window = platform_testing::LastPresentedWindow(swapChain_);
    ASSERT_EQ(window.width, static_cast<int>(kWidth));
    EXPECT_TRUE(ColourNear(window.At(4, 24) | 0xff, 0x000000ff));
    EXPECT_TRUE(ColourNear(window.At(32, 24), 0xffffffff));
    EXPECT_TRUE(ColourNear(window.At(59, 24) | 0xff, 0x000000ff));
}

TEST_F(SwapChain, FullScreenKeepsTheBackBufferAspectOnTheDisplay) {
    window_ = device_test::MakeWindow(kWidth, kHeight);
    DXGI_SWAP_CHAIN_DESC desc = device_test::SwapChainDesc(window_, 1280, 1024, 8, 16);
    desc.Windowed = FALSE;
    ASSERT_NO_FATAL_FAILURE(CreateDeviceFor(desc));
    const FLOAT white[4] = {1, 1, 1, 1};
    device_->ClearRenderTargetView(backBufferView_, white);
    platform_testing::CaptureWindow(swapChain_);
    ASSERT_EQ(swapChain_->Present(0, 0), S_OK);
    Image screen = platform_testing::LastPresentedWindow(swapChain_);
    ASSERT_GT(screen.width, 0);
    // Whatever the display's size, the white area has the 5:4 shape of
    // the back buffer and touches two opposite edges.
    int whiteWidth = 0, whiteHeight = 0;
    for (int x = 0; x < screen.width; ++x) whiteWidth += (screen.At(x, screen.height / 2) >> 8) == 0xffffff;
    for (int y = 0; y < screen.height; ++y) whiteHeight += (screen.At(screen.width / 2, y) >> 8) == 0xffffff;
    EXPECT_TRUE(whiteWidth == screen.width || whiteHeight == screen.height);
    EXPECT_NEAR(static_cast<double>(whiteWidth) / whiteHeight, 1.25, 0.02);
}

TEST_F(SwapChain, ReleasingAfterTheWindowIsGoneIsSafe) {
    // Closing the window destroys it before the program lets go of the
    // device objects.
    CreateDevice(1, 0);
    DrawScene();
    DestroyWindow(window_);
    window_ = nullptr;
    EXPECT_EQ(swapChain_->Present(0, 0), DXGI_ERROR_INVALID_CALL);
}

TEST_F(SwapChain, DescriptionAndBufferRoundTrip) {
    CreateDevice(1, 0);
    DXGI_SWAP_CHAIN_DESC desc;
    ASSERT_EQ(swapChain_->GetDesc(&desc), S_OK);
    EXPECT_EQ(desc.BufferDesc.Width, kWidth);
    EXPECT_EQ(desc.BufferDesc.Height, kHeight);
    EXPECT_EQ(desc.OutputWindow, window_);
    D3D10_TEXTURE2D_DESC bufferDesc;
    backBuffer_->GetDesc(&bufferDesc);
    EXPECT_EQ(bufferDesc.Width, kWidth);
    EXPECT_EQ(bufferDesc.Format, DXGI_FORMAT_R8G8B8A8_UNORM);
    EXPECT_TRUE(bufferDesc.BindFlags & D3D10_BIND_RENDER_TARGET);

    ID3D10Texture2D* again = nullptr;
    ASSERT_EQ(swapChain_->GetBuffer(0, IID_ID3D10Texture2D, reinterpret_cast<void**>(&again)), S_OK);
    EXPECT_EQ(again, backBuffer_);
    again->Release();
    void* other = nullptr;
    EXPECT_EQ(swapChain_->GetBuffer(1, IID_ID3D10Texture2D, &other), DXGI_ERROR_INVALID_CALL);
    EXPECT_EQ(swapChain_->GetBuffer(0, IID_ID3D10Buffer, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
}

TEST_F(SwapChain, BadDescriptionIsRefused) {
    window_ = device_test::MakeWindow(kWidth, kHeight);
    DXGI_SWAP_CHAIN_DESC desc = device_test::SwapChainDesc(window_, kWidth, kHeight, 1, 0);
    EXPECT_EQ(D3D10CreateDeviceAndSwapChain(nullptr, D3D10_DRIVER_TYPE_HARDWARE, nullptr, 0, D3D10_SDK_VERSION + 1,
                                            &desc, &swapChain_, &device_),
              E_INVALIDARG);
    desc.SampleDesc.Count = 0;
    EXPECT_EQ(D3D10CreateDeviceAndSwapChain(nullptr, D3D10_DRIVER_TYPE_HARDWARE, nullptr, 0, D3D10_SDK_VERSION, &desc,
                                            &swapChain_, &device_),
              E_INVALIDARG);
    desc = device_test::SwapChainDesc(reinterpret_cast<HWND>(0x7), kWidth, kHeight, 1, 0);
    EXPECT_EQ(D3D10CreateDeviceAndSwapChain(nullptr, D3D10_DRIVER_TYPE_HARDWARE, nullptr, 0, D3D10_SDK_VERSION, &desc,
                                            &swapChain_, &device_),
              E_INVALIDARG);
    EXPECT_EQ(device_, nullptr);
    EXPECT_EQ(swapChain_, nullptr);
}

}  // namespace
