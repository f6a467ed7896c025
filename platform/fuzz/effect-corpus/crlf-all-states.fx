/* comments
 and CR/LF */
#define SCALE 2
BlendState Add
{
    BlendEnable[0] = true;
    SrcBlend = One;
    DestBlend = One;
    BlendOp = Add;
    RenderTargetWriteMask[0] = 0x0F;
};
RasterizerState Wire { FillMode = WIREFRAME; CullMode = Front; DepthBias = -2; SlopeScaledDepthBias = 1.5f; };
DepthStencilState Stencil { StencilEnable = TRUE; FrontFaceStencilFunc = EQUAL; BackFaceStencilPass = INCR_SAT; StencilReadMask = 0xF0; };
SamplerState Border { AddressU = BORDER; BorderColor = float4(1, 0.5, 0, 1); MaxAnisotropy = 4; MinLOD = 0; MaxLOD = 3.5; };
float4 VS(float3 p : POSITION) : SV_Position { return float4(p * SCALE, 1); }
technique Other < string Note = "x"; >
{
    pass < int i = 1; >
    {
        SetVertexShader( CompileShader( vs_4_1, VS() ) );
        SetPixelShader( NULL );
        SetBlendState( Add, float4( 0.0f, 0.0f, 0.0f, 0.0f ), 0xFFFFFFFF );
        SetDepthStencilState( Stencil, 3 );
        SetRasterizerState( NULL );
    }
};
