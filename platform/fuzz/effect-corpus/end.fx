// The End scene: a shimmering ring of light and a faceted glass sphere
// turning in front of it, composed from three screen-sized targets.
//
// Pass 0: the ring, over the whole screen, into the halo target (cleared
//         opaque black by the program).
// Pass 1: the sphere's back faces into the back target (cleared transparent).
// Pass 2: the sphere's front faces into the front target (cleared
//         transparent). It stores the facets' view-space normal in red and
//         green and their highlight in blue, for the composite to refract by.
// Pass 3: the composite quad onto the back buffer: the ring behind, the
//         back faces seen through the front faces like glass, and the ring
//         bent round the sphere's edge.

float rHalo;  // 0 to 1: how far the ring has spread
float tHalo;  // 0 to 0.2: how thick it is

matrix Model;
matrix View;
matrix Projection;

Texture2D HaloGradient;  // the ring's colours, inside edge (u = 0) to outside edge
Texture2D Noise;         // three tiling noise fields, in red, green and blue

Texture2D IntermediateTargetHalo;
Texture2D IntermediateTargetSphereBack;
Texture2D IntermediateTargetSphereFront;

SamplerState RampSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Clamp;
    AddressV = Clamp;
};

SamplerState NoiseSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Wrap;
    AddressV = Wrap;
};

// The targets are exactly screen-sized: clamp, so lookups bent past the edge
// of the screen take the border instead of the opposite side.
SamplerState TargetSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Clamp;
    AddressV = Clamp;
};

BlendState Opaque
{
    BlendEnable[0] = FALSE;
    RenderTargetWriteMask[0] = 0x0F;
};

// No depth buffer is bound in any pass: the sphere is convex, so each of its
// two passes covers a pixel at most once.
// The quads are clockwise on screen, front faces for the shell's own state;
// every pass keeps multisampling on as the shell's full-screen state has it.
RasterizerState KeepFrontFaces
{
    FillMode = SOLID;
    CullMode = BACK;
    FrontCounterClockwise = FALSE;
    MultisampleEnable = TRUE;
};

RasterizerState KeepBackFaces
{
    FillMode = SOLID;
    CullMode = FRONT;
    FrontCounterClockwise = FALSE;
    MultisampleEnable = TRUE;
};

// ---------------------------------------------------------------------------
// The full-screen quads of passes 0 and 3.

struct QUAD_VS_INPUT
{
    float3 position : POSITION;
    float2 texcoord : TEXCOORD0;
};

struct QUAD_PS_INPUT
{
    float4 position : SV_POSITION;
    float2 texcoord : TEXCOORD0;
};

QUAD_PS_INPUT QuadVS(QUAD_VS_INPUT input)
{
    QUAD_PS_INPUT output;
    output.position = float4(input.position, 1.0);
    output.texcoord = input.texcoord;
    return output;
}

// Width over height of the screen, from how far the texture coordinate moves
// across one pixel each way: the quad spans 0 to 1 in both.
float ScreenAspect(float2 texcoord)
{
    return abs(ddy(texcoord.y) / ddx(texcoord.x));
}

// A point of the screen with the centre at (0, 0), y up, and the top and
// bottom edges at y = 1 and -1.
float2 Centred(float2 texcoord, float aspect)
{
    return float2((texcoord.x - 0.5) * 2.0 * aspect, (0.5 - texcoord.y) * 2.0);
}

// ---------------------------------------------------------------------------
// Pass 0: the ring.

float4 HaloPS(QUAD_PS_INPUT input) : SV_Target
{
    float2 p = Centred(input.texcoord, ScreenAspect(input.texcoord));
    float r = length(p);
    // Once round the ring is a whole number of noise tiles, so the seam at
    // the left does not show.
    float around = atan2(p.y, p.x) / 6.2831853 + 0.5;

    // Two noise fields drift against each other as the ring spreads: one tears
    // its edge in and out, one streaks its brightness along the circle.
    float tear = Noise.Sample(NoiseSampler, float2(around * 3.0 + rHalo * 1.7, r * 0.35 - rHalo * 3.1)).r;
    float streak = Noise.Sample(NoiseSampler, float2(around * 7.0 - rHalo * 2.3, r * 0.9 + rHalo * 1.3)).g;
    float flicker = Noise.Sample(NoiseSampler, float2(around * 2.0 + rHalo * 5.0, rHalo * 4.0)).b;

    // The ring is born behind the sphere and spreads past the screen's edges.
    float radius = 0.30 + 0.95 * rHalo;
    float width = 0.04 + 0.9 * tHalo;
    float across = (r - radius + (tear - 0.5) * width * 1.6) / width;

    float3 colour = HaloGradient.Sample(RampSampler, float2(saturate(across * 0.5 + 0.5), 0.5)).rgb;
    float core = exp(-across * across * 2.0);
    float glow = exp(-abs(r - radius) / (width * 2.5 + 0.06));
    float strength = (0.45 + 1.1 * streak) * (0.8 + 0.4 * flicker);
    // Each new ring rises out of the dark and dims as it grows.
    float life = saturate(rHalo * 10.0) * (1.0 - 0.4 * rHalo);

    float3 light = colour * (core * 1.5 * strength + glow * 0.35) * life;

    // A deep night behind it, faintly clouded.
    float cloud = Noise.Sample(NoiseSampler, p * 0.25 + float2(0.37, 0.61)).b;
    float3 sky = float3(0.010, 0.012, 0.035) + float3(0.030, 0.020, 0.060) * saturate(1.1 - 0.5 * r) * cloud;
    return float4(saturate(light + sky), 1.0);
}

// ---------------------------------------------------------------------------
// Passes 1 and 2: the sphere.

struct SPHERE_VS_INPUT
{
    float3 position : POSITION;
    float3 normal : NORMAL;
};

struct SPHERE_PS_INPUT
{
    float4 position : SV_POSITION;
    float3 normal : TEXCOORD0;  // view space, outward
    float3 view : TEXCOORD1;    // view-space position
};

SPHERE_PS_INPUT SphereVS(SPHERE_VS_INPUT input)
{
    SPHERE_PS_INPUT output;
    float4 world = mul(float4(input.position, 1.0), Model);
    float4 view = mul(world, View);
    output.position = mul(view, Projection);
    output.normal = mul(mul(input.normal, (float3x3)Model), (float3x3)View);
    output.view = view.xyz;
    return output;
}

// The inside of the far wall, lit through the glass by the ring behind it:
// facets that face the ring glow, the others stay deep blue.
float4 BackFacePS(SPHERE_PS_INPUT input) : SV_Target
{
    float3 n = normalize(input.normal);
    float3 fromBehind = normalize(float3(0.25, 0.35, 1.0));
    float lit = saturate(dot(n, fromBehind));
    float side = saturate(dot(n, normalize(float3(-0.8, 0.5, 0.2))));
    float3 colour = float3(0.03, 0.06, 0.16) + float3(0.25, 0.45, 0.75) * lit * lit + float3(0.35, 0.18, 0.40) * side * 0.5;
    return float4(saturate(colour), 1.0);
}

// The near wall: its normal for the composite to bend the picture behind by,
// and a hard highlight on the facets that catch the key light.
float4 FrontFacePS(SPHERE_PS_INPUT input) : SV_Target
{
    float3 n = normalize(input.normal);
    float3 toEye = normalize(-input.view);
    float3 toLight = normalize(float3(-0.5, 0.65, -0.55));
    float3 halfway = normalize(toLight + toEye);
    float highlight = pow(saturate(dot(n, halfway)), 60.0) + 0.12 * saturate(dot(n, toLight));
    return float4(n.xy * 0.5 + 0.5, saturate(highlight), 1.0);
}

// ---------------------------------------------------------------------------
// Pass 3: the composite.

float4 CompositePS(QUAD_PS_INPUT input) : SV_Target
{
    float2 uv = input.texcoord;
    float aspect = ScreenAspect(uv);
    float4 front = IntermediateTargetSphereFront.Sample(TargetSampler, uv);
    float3 halo = IntermediateTargetHalo.Sample(TargetSampler, uv).rgb;

    // The facet's normal, in texture steps (v grows downwards). It points
    // outwards more the nearer a facet lies to the rim, so the glass shows the
    // picture behind it shrunk and drawn in from all round: each flat facet
    // shows its own shifted piece of the ring, and towards the edge the ring
    // wraps round the silhouette. Red, green and blue bend apart.
    float2 n = front.rg * 2.0 - 1.0;
    float facing = sqrt(saturate(1.0 - dot(n, n)));
    float2 bend = float2(n.x / aspect, -n.y) * 0.5;
    float3 bent;
    bent.r = IntermediateTargetHalo.Sample(TargetSampler, uv + bend * 1.00).r;
    bent.g = IntermediateTargetHalo.Sample(TargetSampler, uv + bend * 1.04).g;
    bent.b = IntermediateTargetHalo.Sample(TargetSampler, uv + bend * 1.08).b;
    float4 back = IntermediateTargetSphereBack.Sample(TargetSampler, uv - bend * 0.05);

    float rim = pow(1.0 - facing, 3.0);
    float3 glass = bent * float3(0.85, 0.95, 1.0) * 1.3 + back.rgb * back.a * 0.32 +
                   front.b * float3(1.0, 0.96, 0.9) + rim * float3(0.35, 0.30, 0.45);

    float3 colour = lerp(halo, glass, front.a);

    // A soft vignette closes the picture in.
    float2 p = Centred(uv, aspect);
    colour *= 1.0 - 0.22 * saturate(dot(p, p) / (aspect * aspect + 1.0));
    return float4(saturate(colour), 1.0);
}

technique10 Render
{
    pass Halo
    {
        SetVertexShader(CompileShader(vs_4_0, QuadVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, HaloPS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetRasterizerState(KeepFrontFaces);
    }

    pass SphereBack
    {
        SetVertexShader(CompileShader(vs_4_0, SphereVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, BackFacePS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetRasterizerState(KeepBackFaces);
    }

    pass SphereFront
    {
        SetVertexShader(CompileShader(vs_4_0, SphereVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, FrontFacePS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetRasterizerState(KeepFrontFaces);
    }

    pass Composite
    {
        SetVertexShader(CompileShader(vs_4_0, QuadVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, CompositePS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetRasterizerState(KeepFrontFaces);
    }
}
