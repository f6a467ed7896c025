#include "ProgramFixture.h"

#include "framework.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(FrameRateTitle, UsesTheStreamsDefaultFormatting) {
    EXPECT_EQ("62.5", FrameRateText(16));
    EXPECT_EQ("66.6667", FrameRateText(15));
    EXPECT_EQ("333.333", FrameRateText(3));
    EXPECT_EQ("1000", FrameRateText(1));
    // A frame within one step of the tick count divides by zero in floating
    // point: the title shows infinity, and nothing fails.
    EXPECT_EQ("inf", FrameRateText(0));
}

TEST(ResultCheck, PassesOnlyZero) {
    EXPECT_NO_THROW(VRK::CheckResult(S_OK));
    // A success code other than zero ends the program like a failure.
    for (HRESULT result : {S_FALSE, E_FAIL, E_INVALIDARG, E_OUTOFMEMORY}) {
        try {
            VRK::CheckResult(result);
            ADD_FAILURE() << "no exception for " << result;
        } catch (int value) {
            EXPECT_EQ(1, value);
        }
    }
}

// The death-test machinery catches exceptions itself; calling through a
// noexcept frame leaves the raised value uncaught, as in the program.
template <typename F>
void Uncaught(F f) noexcept {
    f();
}

TEST(ResultCheckDeathTest, AnUncaughtFailureEndsTheProcess) {
    EXPECT_DEATH(Uncaught([] { VRK::CheckResult(E_FAIL); }), "");
}

TEST(MainWindow, HasTheConfiguredClientSizeAndTitle) {
    EnsureDeviceObjects();
    RECT client = {};
    ASSERT_TRUE(GetClientRect(mainWindow, &client));
    EXPECT_EQ(screenWidth, client.right - client.left);
    EXPECT_EQ(screenHeight, client.bottom - client.top);
    char title[16] = {};
    GetWindowTextA(mainWindow, title, sizeof title);
    EXPECT_STREQ("VRK", title);
}

// Closing destroys the window, so it happens in a child process of its own.
TEST(MainWindowDeathTest, ClosingItQuitsWithStatusZero) {
    EnsureDeviceObjects();
    EXPECT_EXIT(
        {
            PostMessageA(mainWindow, WM_CLOSE, 0, 0);
            MSG message = {};
            for (int round = 0; round < 100; ++round) {
                while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                    TranslateMessage(&message);
                    DispatchMessageA(&message);
                    if (message.message == WM_QUIT)
                        std::exit(IsWindow(mainWindow) ? 3 : static_cast<int>(message.wParam));
                }
            }
            std::exit(4);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(DeviceObjects, MatchTheWindowedConfiguration) {
    EnsureDeviceObjects();
    ASSERT_NE(nullptr, device);
    ASSERT_NE(nullptr, backBufferView);
    ASSERT_NE(nullptr, depthStencilView);
    D3D10_TEXTURE2D_DESC desc = {};
    depthTexture->GetDesc(&desc);
    EXPECT_EQ(DXGI_FORMAT_D32_FLOAT, desc.Format);
    EXPECT_EQ(800u, desc.Width);
    EXPECT_EQ(600u, desc.Height);
    EXPECT_EQ(1u, desc.SampleDesc.Count);
    EXPECT_FLOAT_EQ(4.0f / 3.0f, aspectRatio);
}

namespace {

const char* const minimalEffect =
    "float4 VS(float3 p : POSITION) : SV_POSITION { return float4(p, 1); }\n"
    "float4 PS() : SV_Target { return float4(1, 1, 1, 1); }\n"
    "technique10 Render {\n"
    "  pass P0 {\n"
    "    SetVertexShader(CompileShader(vs_4_0, VS()));\n"
    "    SetGeometryShader(NULL);\n"
    "    SetPixelShader(CompileShader(ps_4_0, PS()));\n"
    "  }\n"
    "}\n";

}  // namespace

TEST(EffectLoading, CarriageReturnLineEndsLoadLikeLineFeeds) {
    EnsureDeviceObjects();
    std::string lf = minimalEffect;
    std::string dos;
    for (char c : lf) {
        if (c == '\n')
            dos += '\r';
        dos += c;
    }
    for (const std::string& text : {lf, dos}) {
        ID3D10Effect* effect = VRK::LoadEffect(WriteTempFile("lineends.fx", text));
        ASSERT_NE(nullptr, effect);
        D3D10_PASS_DESC desc = {};
        EXPECT_EQ(S_OK, effect->GetTechniqueByName("Render")->GetPassByIndex(0)->GetDesc(&desc));
        EXPECT_GT(desc.IAInputSignatureSize, 0u);
    }
}

TEST(EffectLoadingDeathTest, AMissingFileStopsAtTheAssertion) {
    EnsureDeviceObjects();
    EXPECT_DEATH(VRK::LoadEffect("data/fx/no-such-effect.fx"), "Assertion `is' failed");
}

TEST(EffectLoadingDeathTest, AnEffectThatDoesNotCompileEndsTheProgram) {
    EnsureDeviceObjects();
    std::string path = WriteTempFile("broken.fx", std::string(minimalEffect) + "technique10 {\n");
    // The compiler's message names the file and the line.
    EXPECT_DEATH(Uncaught([&] { VRK::LoadEffect(path); }), "broken\\.fx\\([0-9]+\\): error");
}
