// Triangle lists drawn through the shared vertices of their buffer give the
// picture the plain draw gives, wherever the layer takes that path, and the
// layer keeps the plain draw where sharing could change the picture.
#include "DeviceFixture.h"

#include <vector>

namespace {

using device_test::ColourVertex;

const std::string kReuseEffect = device_test::kColourShaders + R"(
struct POSITION_ONLY { float3 position : POSITION; };

PS_INPUT White(POSITION_ONLY input)
{
    PS_INPUT output;
    output.position = mul(float4(input.position, 1.0), Transform);
    output.colour = float3(1.0, 1.0, 1.0);
    return output;
}

// Each vertex coloured by its number in the draw.
PS_INPUT Numbered(VS_INPUT input, uint id : SV_VertexID)
{
    PS_INPUT output;
    output.position = mul(float4(input.position, 1.0), Transform);
    output.colour = float3((id % 7) / 6.0, (id % 5) / 4.0, (id % 3) / 2.0);
    return output;
}

technique10 Render
{
    pass Colour
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
    pass WhitePositions
    {
        SetVertexShader(CompileShader(vs_4_0, White()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
    pass NumberedVertices
    {
        SetVertexShader(CompileShader(vs_4_0, Numbered()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
}
)";

const D3D10_INPUT_ELEMENT_DESC kPositionElement[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
};

constexpr int kCells = 8;

// A grid of kCells x kCells quads over the screen, two triangles each. With
// shared corners, neighbours repeat each other's corner records; otherwise
// every triangle carries a colour of its own and no record repeats.
std::vector<ColourVertex> Grid(bool sharedCorners) {
    std::vector<ColourVertex> vertices;
    auto corner = [&](int i, int j, int triangle) {
        const float x = -1.0f + 2.0f * i / kCells, y = -1.0f + 2.0f * j / kCells;
        const float blue = sharedCorners ? 0.5f : static_cast<float>(triangle) / (2 * kCells * kCells);
        vertices.push_back({x, y, 0.0f, 0.5f + 0.5f * x, 0.5f + 0.5f * y, blue});
    };
    for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
            const int triangle = 2 * (j * kCells + i);
            // Clockwise on screen, as the default state's front faces are.
            corner(i, j + 1, triangle), corner(i + 1, j, triangle), corner(i, j, triangle);
            corner(i, j + 1, triangle + 1), corner(i + 1, j + 1, triangle + 1), corner(i + 1, j, triangle + 1);
        }
    }
    return vertices;
}

constexpr UINT kQuad = 6;

class VertexReuse : public device_test::DeviceTest {
protected:
    // Layouts are made before the buffers: their record sizes are the
    // strides a buffer's indices are built for.
    void SetUp() override {
        DeviceTest::SetUp();
        LoadWithIdentityTransform(kReuseEffect);
    }

    ID3D10InputLayout* Layout(const D3D10_INPUT_ELEMENT_DESC* elements, UINT count, UINT pass) {
        D3D10_PASS_DESC desc;
        EXPECT_EQ(Pass(pass)->GetDesc(&desc), S_OK);
        ID3D10InputLayout* layout = nullptr;
        EXPECT_EQ(device_->CreateInputLayout(elements, count, desc.pIAInputSignature, desc.IAInputSignatureSize,
                                             &layout),
                  S_OK);
        return Own(layout);
    }

    ID3D10Buffer* Buffer(const std::vector<ColourVertex>& vertices) {
        D3D10_BUFFER_DESC desc = {static_cast<UINT>(vertices.size() * sizeof(ColourVertex)), D3D10_USAGE_DEFAULT,
                                  D3D10_BIND_VERTEX_BUFFER, 0, 0};
        D3D10_SUBRESOURCE_DATA data = {vertices.data(), 0, 0};
        ID3D10Buffer* buffer = nullptr;
        EXPECT_EQ(device_->CreateBuffer(&desc, &data, &buffer), S_OK);
        return Own(buffer);
    }

    void Bind(ID3D10InputLayout* layout, ID3D10Buffer* buffer, UINT stride) {
        const UINT offset = 0;
        device_->IASetInputLayout(layout);
        device_->IASetVertexBuffers(0, 1, &buffer, &stride, &offset);
        device_->IASetPrimitiveTopology(D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    }

    // The pass's draw of the slice with sharing on and off: the same bytes,
    // something drawn, and the shared path taken exactly when expected.
    void ExpectSamePicture(UINT pass, UINT count, UINT first, bool shared) {
        platform_testing::Image on = Picture(true, pass, count, first, shared);
        platform_testing::Image off = Picture(false, pass, count, first, false);
        EXPECT_TRUE(on.rgba == off.rgba) << "draw of " << count << " from " << first << " in pass " << pass;
        int drawn = 0;
        for (int y = 0; y < on.height; ++y)
            for (int x = 0; x < on.width; ++x) drawn += on.At(x, y) != 0x000000ffu;
        EXPECT_GT(drawn, 0) << "draw of " << count << " from " << first << " in pass " << pass;
    }

    platform_testing::Image Picture(bool reuse, UINT pass, UINT count, UINT first, bool shared) {
        platform_testing::SetVertexReuse(reuse);
        const uint64_t before = platform_testing::SharedVertexDraws();
        const FLOAT black[4] = {0, 0, 0, 1};
        device_->ClearRenderTargetView(backBufferView_, black);
        EXPECT_EQ(Pass(pass)->Apply(0), S_OK);
        device_->Draw(count, first);
        platform_testing::Image image = platform_testing::ReadRenderTarget(backBufferView_);
        platform_testing::SetVertexReuse(true);
        EXPECT_EQ(platform_testing::SharedVertexDraws() - before, shared ? 1u : 0u)
            << "draw of " << count << " from " << first << " in pass " << pass << ", sharing " << reuse;
        return image;
    }
};

TEST_F(VertexReuse, SlicesOfTheBufferDrawTheSamePicture) {
    ID3D10InputLayout* layout = Layout(device_test::kColourElements, 2, 0);
    Bind(layout, Buffer(Grid(true)), sizeof(ColourVertex));
    const UINT quads = kCells * kCells;
    ExpectSamePicture(0, quads * kQuad, 0, true);
    // Starting in the middle of the buffer, and ending short of its end.
    ExpectSamePicture(0, 21 * kQuad, 27 * kQuad, true);
    // One triangle, the second of a quad.
    ExpectSamePicture(0, 3, 45 * kQuad + 3, true);
}

TEST_F(VertexReuse, BufferWithNoRepeatedRecordIsDrawnPlainly) {
    ID3D10InputLayout* layout = Layout(device_test::kColourElements, 2, 0);
    Bind(layout, Buffer(Grid(false)), sizeof(ColourVertex));
    ExpectSamePicture(0, kCells * kCells * kQuad, 0, false);
}

TEST_F(VertexReuse, OneBufferAtTwoStridesHasAnIndexForEach) {
    ID3D10InputLayout* colours = Layout(device_test::kColourElements, 2, 0);
    ID3D10InputLayout* positions = Layout(kPositionElement, 1, 1);
    ID3D10Buffer* buffer = Buffer(Grid(true));
    const UINT quads = kCells * kCells;
    Bind(colours, buffer, sizeof(ColourVertex));
    ExpectSamePicture(0, quads * kQuad, 0, true);
    // At 12 bytes the records are the positions and colours in turn, twice
    // as many: an index made for 24 bytes would draw other triangles.
    Bind(positions, buffer, 12);
    ExpectSamePicture(1, 2 * quads * kQuad, 0, true);
    ExpectSamePicture(1, 9 * kQuad, 60 * kQuad, true);
}

TEST_F(VertexReuse, VertexShaderReadingItsVertexIdIsDrawnPlainly) {
    ID3D10InputLayout* layout = Layout(device_test::kColourElements, 2, 2);
    Bind(layout, Buffer(Grid(true)), sizeof(ColourVertex));
    ExpectSamePicture(2, kCells * kCells * kQuad, 0, false);
    ExpectSamePicture(2, 20 * kQuad, 13 * kQuad, false);
}

}  // namespace
