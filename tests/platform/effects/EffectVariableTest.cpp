#include "DeviceFixture.h"

using device_test::ColourNear;
using device_test::ColourVertex;
using platform_testing::Image;

namespace {

class EffectVariables : public device_test::DeviceTest {};

TEST_F(EffectVariables, TranslationInRowThreeMovesAPointAsRowVectorTimesMatrix) {
    LoadEffect(device_test::kColourEffect);
    float moveRightAndUp[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0.5f, 0, 1};
    ASSERT_EQ(effect_->GetVariableByName("Transform")->AsMatrix()->SetMatrix(moveRightAndUp), S_OK);
    // A small clockwise triangle around the origin.
    const ColourVertex triangle[] = {{0, 0.2f, 0, 1, 1, 1}, {0.2f, -0.2f, 0, 1, 1, 1}, {-0.2f, -0.2f, 0, 1, 1, 1}};
    BindVertices(triangle, device_test::kColourElements, 2, Pass());
    const FLOAT black[4] = {0, 0, 0, 1};
    device_->ClearRenderTargetView(backBufferView_, black);
    ASSERT_EQ(Pass()->Apply(0), S_OK);
    device_->Draw(3, 0);
    Image image = platform_testing::ReadRenderTarget(backBufferView_);
    // Centre of the moved triangle: x 0.5, y 0.45 -> column 48, row 13.
    EXPECT_TRUE(ColourNear(image.At(48, 13), 0xffffffff));
    EXPECT_TRUE(ColourNear(image.At(32, 25), 0x000000ff));
}

TEST_F(EffectVariables, ChangedValueReachesTheNextDraw) {
    LoadEffect(device_test::kColourEffect);
    ID3D10EffectMatrixVariable* transform = effect_->GetVariableByName("Transform")->AsMatrix();
    const ColourVertex triangle[] = {{0, 0.2f, 0, 1, 1, 1}, {0.2f, -0.2f, 0, 1, 1, 1}, {-0.2f, -0.2f, 0, 1, 1, 1}};
    BindVertices(triangle, device_test::kColourElements, 2, Pass());
    const FLOAT black[4] = {0, 0, 0, 1};
    device_->ClearRenderTargetView(backBufferView_, black);
    float left[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -0.5f, 0, 0, 1};
    float right[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0, 0, 1};
    ASSERT_EQ(transform->SetMatrix(left), S_OK);
    ASSERT_EQ(Pass()->Apply(0), S_OK);
    device_->Draw(3, 0);
    ASSERT_EQ(transform->SetMatrix(right), S_OK);
    ASSERT_EQ(Pass()->Apply(0), S_OK);
    device_->Draw(3, 0);
    Image image = platform_testing::ReadRenderTarget(backBufferView_);
    EXPECT_TRUE(ColourNear(image.At(16, 24), 0xffffffff));
    EXPECT_TRUE(ColourNear(image.At(48, 24), 0xffffffff));
    float back[16] = {};
    ASSERT_EQ(transform->GetMatrix(back), S_OK);
    EXPECT_EQ(back[12], 0.5f);
}

TEST_F(EffectVariables, MissingNameGivesAnInvalidVariableWhoseCallsFail) {
    LoadEffect(device_test::kColourEffect);
    ID3D10EffectVariable* missing = effect_->GetVariableByName("Tranform");
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->IsValid());
    float matrix[16] = {};
    EXPECT_EQ(missing->AsMatrix()->SetMatrix(matrix), E_FAIL);
    EXPECT_EQ(missing->AsScalar()->SetFloat(1.0f), E_FAIL);
    EXPECT_EQ(missing->AsShaderResource()->SetResource(nullptr), E_FAIL);
    D3D10_EFFECT_VARIABLE_DESC desc;
    EXPECT_EQ(missing->GetDesc(&desc), E_FAIL);
}

TEST_F(EffectVariables, WrongKindGivesAnInvalidVariable) {
    LoadEffect(device_test::kColourEffect);
    ID3D10EffectVariable* transform = effect_->GetVariableByName("Transform");
    ASSERT_TRUE(transform->IsValid());
    D3D10_EFFECT_VARIABLE_DESC desc;
    ASSERT_EQ(transform->GetDesc(&desc), S_OK);
    EXPECT_STREQ(desc.Name, "Transform");
    EXPECT_FALSE(transform->AsScalar()->IsValid());
    EXPECT_FALSE(transform->AsShaderResource()->IsValid());
    EXPECT_EQ(transform->AsScalar()->SetFloat(2.0f), E_FAIL);
    EXPECT_TRUE(transform->AsMatrix()->IsValid());
}

TEST_F(EffectVariables, MissingTechniqueAndPassFailTheirCalls) {
    LoadEffect(device_test::kColourEffect);
    ID3D10EffectTechnique* missing = effect_->GetTechniqueByName("Draw");
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->IsValid());
    D3D10_TECHNIQUE_DESC techniqueDesc;
    EXPECT_EQ(missing->GetDesc(&techniqueDesc), E_FAIL);
    EXPECT_EQ(missing->GetPassByIndex(0)->Apply(0), E_FAIL);

    ID3D10EffectTechnique* render = effect_->GetTechniqueByName("Render");
    ASSERT_EQ(render->GetDesc(&techniqueDesc), S_OK);
    EXPECT_EQ(techniqueDesc.Passes, 1u);
    ID3D10EffectPass* beyond = render->GetPassByIndex(1);
    ASSERT_NE(beyond, nullptr);
    EXPECT_FALSE(beyond->IsValid());
    D3D10_PASS_DESC passDesc;
    EXPECT_EQ(beyond->GetDesc(&passDesc), E_FAIL);
    EXPECT_EQ(beyond->Apply(0), E_FAIL);
    EXPECT_EQ(render->GetPassByName("P0"), render->GetPassByIndex(0));
}

}  // namespace
