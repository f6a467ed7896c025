// A test effect
float4x4 World;
float time;
Texture2D Tex;
Texture2D Other;
SamplerState Linear { Filter = MIN_MAG_MIP_LINEAR; AddressU = Wrap; AddressV = wrap; };
SamplerState Point : register(s1) { Filter = min_mag_mip_point; };
BlendState Alpha { BlendEnable[0] = TRUE; SrcBlend = SRC_ALPHA; DestBlend = INV_SRC_ALPHA; };
DepthStencilState NoDepth { DepthEnable = FALSE; DepthWriteMask = ZERO; DepthFunc = LESS_EQUAL; };
RasterizerState NoCull { CullMode = NONE; };
struct VSIn { float3 pos : POSITION; float3 n : NORMAL; float2 uv : TEXCOORD0; float2 uv1 : texcoord1; };
struct VSOut { float4 pos : SV_Position; float2 uv : TEXCOORD0; float3 n : NORMAL; };
VSOut VS(VSIn i) { VSOut o; o.pos = mul(float4(i.pos, 1), World); o.uv = i.uv + i.uv1; o.n = i.n * time; return o; }
struct PSIn { float4 pos : SV_Position; float3 n : NORMAL; float2 uv : TEXCOORD0; };
float4 PS(PSIn i) : SV_Target { return Tex.Sample(Linear, i.uv) * Other.Sample(Point, i.uv) * float4(i.n, Tex.Load(int3(0,0,0)).x); }
technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetBlendState(Alpha, float4(0, 0, 0, 0), 0xFFFFFFFF);
        SetDepthStencilState(NoDepth, 0);
        SetRasterizerState(NoCull);
    }
    pass P1 { SetVertexShader(CompileShader(vs_4_0, VS())); SetPixelShader(NULL); SetBlendState(NULL, float4(0,0,0,0), 0xffffffff); }
}
