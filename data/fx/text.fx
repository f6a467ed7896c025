// The caption strip: a band across the bottom quarter of the screen showing
// the strip of the caption image that textSelect picks, blended over the
// scene. The quad is clockwise on screen and lies at depth 0, so the scene's
// culling and depth states let it through; only the blend state is its own.

Texture2D Text;
float textSelect;

SamplerState CaptionSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Clamp;
    AddressV = Clamp;
};

BlendState PremultipliedBlend
{
    BlendEnable[0] = TRUE;
    SrcBlend = ONE;
    DestBlend = INV_SRC_ALPHA;
    BlendOp = ADD;
    SrcBlendAlpha = ONE;
    DestBlendAlpha = INV_SRC_ALPHA;
    BlendOpAlpha = ADD;
    RenderTargetWriteMask[0] = 0x0F;
};

struct VS_INPUT
{
    float3 position : POSITION;
    float2 texcoord : TEXCOORD;
};

struct PS_INPUT
{
    float4 position : SV_POSITION;
    float2 texcoord : TEXCOORD0;
    float band : TEXCOORD1;
};

PS_INPUT VS(VS_INPUT input)
{
    PS_INPUT output;
    // The quad spans x -0.5 to 1 and y -0.5 to 0: stretch it over the whole
    // width and the bottom quarter of the screen.
    output.position = float4(input.position.x * (4.0 / 3.0) - 1.0 / 3.0, input.position.y - 0.5, 0.0, 1.0);
    output.texcoord = float2(input.texcoord.x, input.texcoord.y + textSelect);
    output.band = -2.0 * input.position.y;
    return output;
}

float4 PS(PS_INPUT input) : SV_Target
{
    float4 text = Text.Sample(CaptionSampler, input.texcoord);
    // A shade that deepens towards the bottom edge keeps the words legible
    // over light and dark scenes alike.
    float shade = 0.45 * smoothstep(0.0, 1.0, input.band);
    float alpha = text.a + (1.0 - text.a) * shade;
    return float4(text.rgb * text.a, alpha);
}

technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetBlendState(PremultipliedBlend, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
    }
}
