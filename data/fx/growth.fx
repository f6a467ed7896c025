// The Growth scene: a white ground with a hexagon grid under an orbiting
// camera, clusters of cells growing out of it, ribbons whose bands flow along
// them, and particles rising through the air.
//
// Pass 0: the ground, onto the back buffer with depth (cleared white).
// Pass 1: the cells. Every spindle is modelled about the origin; its
//         cluster's centre arrives in TEXCOORD.
// Pass 2: the ribbons, blended, drawn without a depth buffer.
// Pass 3: the particles, from their own buffer: a corner offset in POSITION,
//         the phase in TEXCOORD0.z, the path's ends in TEXCOORD1 and 2.

matrix View;
matrix Projection;
float Time;
float RibbonShift;
float ParticlesShift;

Texture2D GroundTexture;
Texture2D RibbonTexture;
Texture2D ParticleTexture;

// The ground's coordinates run to 50 and 40, the ribbons' past 1: repeat.
SamplerState RepeatSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Wrap;
    AddressV = Wrap;
};

SamplerState SpotSampler
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

BlendState Translucent
{
    BlendEnable[0] = TRUE;
    SrcBlend = SRC_ALPHA;
    DestBlend = INV_SRC_ALPHA;
    BlendOp = ADD;
    SrcBlendAlpha = ONE;
    DestBlendAlpha = INV_SRC_ALPHA;
    BlendOpAlpha = ADD;
    RenderTargetWriteMask[0] = 0x0F;
};

// Direct3D's own default, named in every pass so that the scene leaves the
// depth state as the next scene expects it. Passes 2 and 3 draw with no depth
// view bound, so the test passes there whatever it says.
DepthStencilState DepthTested
{
    DepthEnable = TRUE;
    DepthWriteMask = ALL;
    DepthFunc = LESS;
};

// Culling as Direct3D's default: the ground, the cells and the particles are
// clockwise towards the camera. The last pass names it, so no later scene
// inherits the ribbons' two-sided state. Multisampling stays on, as the
// program's own state has it in the full-screen build (a target with one
// sample is not affected).
RasterizerState FrontOnly
{
    FillMode = SOLID;
    CullMode = BACK;
    FrontCounterClockwise = FALSE;
    MultisampleEnable = TRUE;
};

// The ribbons fan all round the camera: both faces show.
RasterizerState BothSides
{
    FillMode = SOLID;
    CullMode = NONE;
    FrontCounterClockwise = FALSE;
    MultisampleEnable = TRUE;
};

static const float3 White = float3(1.0, 1.0, 1.0);

// Far things dissolve into the white the frame was cleared to; the camera
// looks at the origin from about 14 units away.
float Haze(float distance)
{
    float haze = saturate((distance - 20.0) / 45.0);
    return haze * (2.0 - haze);
}

struct VS_INPUT
{
    float3 position : POSITION;
    float3 normal : NORMAL;
    float3 texcoord : TEXCOORD0;
};

// ---------------------------------------------------------------------------
// Pass 0: the ground.

struct GROUND_PS_INPUT
{
    float4 position : SV_POSITION;
    float2 grid : TEXCOORD0;
    float2 plane : TEXCOORD1;
    // The distance to the eye is not linear across the wide quad: hand on
    // the view-space position and measure it per pixel.
    float3 view : TEXCOORD2;
};

GROUND_PS_INPUT GroundVS(VS_INPUT input)
{
    GROUND_PS_INPUT output;
    float4 view = mul(float4(input.position, 1.0), View);
    output.position = mul(view, Projection);
    output.grid = input.texcoord.xy;
    output.plane = input.position.xz;
    output.view = view.xyz;
    return output;
}

float4 GroundPS(GROUND_PS_INPUT input) : SV_Target
{
    float4 tile = GroundTexture.Sample(RepeatSampler, input.grid);
    // The image has no smaller copies: where one pixel spans several texels
    // the outlines would shimmer, so they give way to their average cover.
    float2 texels = input.grid * float2(110.0, 184.0);
    float footprint = max(length(ddx(texels)), length(ddy(texels)));
    float lines = lerp(tile.a, 0.18, saturate((footprint - 1.0) / 3.0));
    // A soft pool of shade round the middle of the ground, where the cells
    // stand, so that the white has some depth.
    float pool = exp(-dot(input.plane, input.plane) / 900.0);
    float3 ground = lerp(White, float3(0.90, 0.94, 0.95), pool);
    float3 ink = float3(0.42, 0.60, 0.66);
    float3 colour = lerp(ground, ink, lines * 0.55);
    colour = lerp(colour, White, Haze(length(input.view)));
    return float4(colour, 1.0);
}

// ---------------------------------------------------------------------------
// Pass 1: the cells.

struct CELL_PS_INPUT
{
    float4 position : SV_POSITION;
    float3 normal : TEXCOORD0;
    float3 view : TEXCOORD1;
    float height : TEXCOORD2;
    float tint : TEXCOORD3;
};

// A number in [0, 1) that stays the same for a cluster: from its centre.
float ClusterNoise(float2 centre, float salt)
{
    return frac(sin(dot(centre, float2(12.9898, 78.233)) + salt) * 43758.5453);
}

// How far a cluster has grown: each starts at its own moment in the first
// half of the scene and rises in two and a half seconds, overshooting a
// little before it settles.
float Growth(float2 centre)
{
    float start = 0.3 + 4.2 * ClusterNoise(centre, 0.0);
    float x = saturate((Time - start) / 2.5);
    float s = 1.70158;
    float y = x - 1.0;
    return 1.0 + (s + 1.0) * y * y * y + s * y * y;
}

CELL_PS_INPUT CellVS(VS_INPUT input)
{
    CELL_PS_INPUT output;
    float2 centre = input.texcoord.xz;
    float grown = Growth(centre);
    // The stalks sway a little once they stand, each cluster in its own time.
    float phase = ClusterNoise(centre, 1.0) * 6.2831853;
    float sway = 0.06 * sin(Time * 1.3 + phase) * input.position.y;
    float3 local = input.position + float3(sway, 0.0, 0.5 * sway);
    // Drawn half as large again as modelled, to stand out from the ribbons.
    float3 world = local * (1.5 * grown) + float3(centre.x, 0.0, centre.y);
    float4 view = mul(float4(world, 1.0), View);
    output.position = mul(view, Projection);
    output.normal = mul(input.normal, (float3x3)View);
    output.view = view.xyz;
    output.height = saturate(input.position.y / 5.0);
    output.tint = ClusterNoise(centre, 2.0);
    return output;
}

float4 CellPS(CELL_PS_INPUT input) : SV_Target
{
    float3 n = normalize(input.normal);
    float3 toEye = normalize(-input.view);
    float3 toLight = normalize(mul(float3(-0.4, 0.85, -0.35), (float3x3)View));
    float diffuse = saturate(dot(n, toLight));
    float3 halfway = normalize(toLight + toEye);
    float specular = pow(saturate(dot(n, halfway)), 32.0);
    float rim = pow(1.0 - saturate(dot(n, toEye)), 3.0);

    // Sea-green stalks that warm towards coral caps; each cluster leans to
    // its own shade of the cap colour.
    float3 stem = float3(0.10, 0.42, 0.40);
    float3 cap = lerp(float3(0.96, 0.42, 0.30), float3(0.98, 0.66, 0.28), input.tint);
    float3 body = lerp(stem, cap, smoothstep(0.35, 0.95, input.height));
    float3 colour = body * (0.42 + 0.58 * diffuse) + 0.35 * specular + 0.25 * rim * float3(0.8, 0.95, 1.0);
    colour = lerp(colour, White, Haze(length(input.view)));
    return float4(saturate(colour), 1.0);
}

// ---------------------------------------------------------------------------
// Pass 2: the ribbons.

struct RIBBON_PS_INPUT
{
    float4 position : SV_POSITION;
    float2 band : TEXCOORD0;
    float3 normal : TEXCOORD1;
    float3 view : TEXCOORD2;
};

RIBBON_PS_INPUT RibbonVS(VS_INPUT input)
{
    RIBBON_PS_INPUT output;
    float4 view = mul(float4(input.position, 1.0), View);
    output.position = mul(view, Projection);
    // v runs 0 to 0.1 across the ribbon: stretch the image over its width.
    // The shift moves the bands along u, so they flow towards the ribbon's end.
    output.band = float2(input.texcoord.x + RibbonShift, input.texcoord.y * 10.0);
    output.normal = mul(input.normal, (float3x3)View);
    output.view = view.xyz;
    return output;
}

float4 RibbonPS(RIBBON_PS_INPUT input) : SV_Target
{
    float3 picture = RibbonTexture.Sample(RepeatSampler, input.band).rgb;
    // White in the image is open air between the bands.
    float cover = saturate((1.0 - min(picture.r, min(picture.g, picture.b))) * 1.6);
    // Two-sided: light whichever face turns towards the camera.
    float3 n = normalize(input.normal);
    float facing = abs(n.z);
    float3 colour = picture * (0.75 + 0.25 * facing);
    // Thinned where a ribbon sweeps past the camera, so that it never fills
    // the frame.
    float distance = length(input.view);
    float near = saturate((distance - 4.0) / 10.0);
    float alpha = cover * 0.6 * near * (1.0 - Haze(distance));
    return float4(colour, alpha);
}

// ---------------------------------------------------------------------------
// Pass 3: the particles.

struct PARTICLE_VS_INPUT
{
    float3 corner : POSITION;
    float3 texcoord : TEXCOORD0;
    float3 from : TEXCOORD1;
    float3 to : TEXCOORD2;
};

struct PARTICLE_PS_INPUT
{
    float4 position : SV_POSITION;
    float2 spot : TEXCOORD0;
    float fade : TEXCOORD1;
};

PARTICLE_PS_INPUT ParticleVS(PARTICLE_VS_INPUT input)
{
    PARTICLE_PS_INPUT output;
    float along = frac(ParticlesShift + input.texcoord.z);
    float3 world = lerp(input.from, input.to, along);
    // Turned to the camera: the corner offset is laid out in view space.
    float4 view = mul(float4(world, 1.0), View);
    view.xy += input.corner.xy * 1.5;
    output.position = mul(view, Projection);
    output.spot = input.texcoord.xy;
    // Faded in as it leaves the ground and out before it reaches the top.
    output.fade = smoothstep(0.0, 0.15, along) * (1.0 - smoothstep(0.7, 1.0, along)) *
                  (1.0 - Haze(length(view.xyz)));
    return output;
}

float4 ParticlePS(PARTICLE_PS_INPUT input) : SV_Target
{
    // Warm motes with pale hearts: the image gives both colour and cover.
    float4 spot = ParticleTexture.Sample(SpotSampler, input.spot);
    return float4(spot.rgb, spot.a * input.fade * 0.9);
}

technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, GroundVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, GroundPS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
        SetRasterizerState(FrontOnly);
    }

    pass P1
    {
        SetVertexShader(CompileShader(vs_4_0, CellVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, CellPS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
        SetRasterizerState(FrontOnly);
    }

    pass P2
    {
        SetVertexShader(CompileShader(vs_4_0, RibbonVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, RibbonPS()));
        SetBlendState(Translucent, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
        SetRasterizerState(BothSides);
    }

    pass P3
    {
        SetVertexShader(CompileShader(vs_4_0, ParticleVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, ParticlePS()));
        SetBlendState(Translucent, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
        SetRasterizerState(FrontOnly);
    }
}
