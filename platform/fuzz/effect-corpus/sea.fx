// The Conformity scene: a turning model drawn into a square texture, a sea of
// hexagonal cells that shows that texture cell by cell, and a hexagon-grid
// strip blended over the left of the screen.
//
// Pass 0: the model into the 256 x 256 texture (cleared white by the program).
// Pass 1: the 1,600 cells onto the back buffer with depth. Every cell is the
//         same mesh about the origin; its centre arrives in TEXCOORD.
// Pass 2: the overlay quad, given in clip space.

matrix KelpoModel;
matrix KelpoView;
matrix KelpoProjection;
matrix View;
matrix Projection;
float time;

Texture2D KelpoTexture;
Texture2D OverlayTexture;

// The field's cells sample the model texture at their centres: clamp, so the
// border cells take the white margin instead of the opposite edge.
SamplerState PictureSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Clamp;
    AddressV = Clamp;
};

// The overlay's texture coordinates run past 1 to repeat the grid image.
SamplerState GridSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Wrap;
    AddressV = Wrap;
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

// Direct3D's own default, named so that every pass leaves the depth state as
// the next scene expects it. Passes 0 and 2 draw with no depth view bound, so
// the test passes there whatever it says.
DepthStencilState DepthTested
{
    DepthEnable = TRUE;
    DepthWriteMask = ALL;
    DepthFunc = LESS;
};

struct VS_INPUT
{
    float3 position : POSITION;
    float3 normal : NORMAL;
    float3 texcoord : TEXCOORD0;
};

// ---------------------------------------------------------------------------
// Pass 0: the model.

struct MODEL_PS_INPUT
{
    float4 position : SV_POSITION;
    float3 normal : TEXCOORD0;
    float3 view : TEXCOORD1;
    float height : TEXCOORD2;
};

MODEL_PS_INPUT ModelVS(VS_INPUT input)
{
    MODEL_PS_INPUT output;
    float4 world = mul(float4(input.position, 1.0), KelpoModel);
    float4 view = mul(world, KelpoView);
    output.position = mul(view, KelpoProjection);
    output.normal = mul(mul(input.normal, (float3x3)KelpoModel), (float3x3)KelpoView);
    output.view = view.xyz;
    output.height = input.position.y;
    return output;
}

float4 ModelPS(MODEL_PS_INPUT input) : SV_Target
{
    float3 n = normalize(input.normal);
    float3 toEye = normalize(-input.view);
    // Key light from the upper left, in the view space of the model's camera.
    float3 toLight = normalize(float3(-0.45, 0.7, -0.55));
    float diffuse = saturate(dot(n, toLight));
    float3 halfway = normalize(toLight + toEye);
    float specular = pow(saturate(dot(n, halfway)), 24.0);
    // Coral at the waist, deep amber at the tips: warm against the white
    // target, so the field shows the model as a warm shape in cool water.
    float waist = 1.0 - abs(input.height) / 0.8;
    float3 body = lerp(float3(0.78, 0.30, 0.10), float3(0.98, 0.50, 0.36), waist);
    float rim = pow(1.0 - saturate(dot(n, toEye)), 3.0);
    float3 colour = body * (0.50 + 0.60 * diffuse) + 0.30 * specular + float3(0.25, 0.12, 0.08) * rim;
    return float4(saturate(colour), 1.0);
}

// ---------------------------------------------------------------------------
// Pass 1: the hexagon field.

struct CELL_PS_INPUT
{
    float4 position : SV_POSITION;
    float3 normal : TEXCOORD0;
    float3 view : TEXCOORD1;
    float2 picture : TEXCOORD2;
    float swell : TEXCOORD3;
};

// The sea's surface height at a cell's centre, with its slope along x and z:
// a ring wave running out from the middle of the field and a slower swell
// crossing it.
float3 Swell(float2 centre)
{
    float reach = max(length(centre), 0.001);
    float ringPhase = reach * 0.55 - time * 2.4;
    float crossPhase = centre.x * 0.31 + centre.y * 0.23 + time * 1.1;
    float height = 0.22 * sin(ringPhase) + 0.12 * sin(crossPhase);
    float ringSlope = 0.22 * 0.55 * cos(ringPhase) / reach;
    float crossSlope = 0.12 * cos(crossPhase);
    float slopeX = ringSlope * centre.x + crossSlope * 0.31;
    float slopeZ = ringSlope * centre.y + crossSlope * 0.23;
    return float3(height, slopeX, slopeZ);
}

CELL_PS_INPUT CellVS(VS_INPUT input)
{
    CELL_PS_INPUT output;
    float2 centre = input.texcoord.xz;
    float3 swell = Swell(centre);
    // The rows lie one unit apart, wider than hexagons of this size tile:
    // stretch each cell along z so that neighbouring rows close up.
    float3 world = input.position * float3(1.0, 1.0, 1.15) + float3(centre.x, swell.x, centre.y);
    float4 view = mul(float4(world, 1.0), View);
    output.position = mul(view, Projection);
    // Each cell rides the swell: tilt its smooth normal by the surface slope.
    float3 normal = normalize(input.normal * float3(1.0, 1.0, 1.0 / 1.15) + float3(-swell.y, 0.0, -swell.z) * 1.5);
    output.normal = mul(normal, (float3x3)View);
    output.view = view.xyz;
    // The field spans x from -20 to 19.5 and z from -20 to 19; far cells (+z)
    // take the top of the picture so it stands upright to the camera.
    output.picture = float2((centre.x + 20.25) / 40.0, (19.5 - centre.y) / 40.0);
    output.swell = swell.x;
    return output;
}

float4 CellPS(CELL_PS_INPUT input) : SV_Target
{
    float3 picture = KelpoTexture.Sample(PictureSampler, input.picture).rgb;
    // White in the picture is open water, a pale sea green; the model keeps
    // its own colours, and its filtered edge blends between the two.
    float3 water = float3(0.70, 0.87, 0.90);
    float whiteness = saturate((min(picture.r, min(picture.g, picture.b)) - 0.5) / 0.45);
    float3 base = lerp(picture, water, whiteness);

    float3 n = normalize(input.normal);
    float3 toEye = normalize(-input.view);
    float3 toLight = normalize(mul(float3(-0.35, 0.85, 0.40), (float3x3)View));
    float diffuse = saturate(dot(n, toLight));
    float3 halfway = normalize(toLight + toEye);
    float specular = pow(saturate(dot(n, halfway)), 40.0);
    float crest = saturate(input.swell * 2.5);

    float3 colour = base * (0.38 + 0.62 * diffuse) + (0.30 + 0.25 * crest) * specular;
    colour += crest * float3(0.05, 0.07, 0.07);

    // Distant cells dissolve into the white the field was cleared to.
    float depth = length(input.view);
    float haze = saturate((depth - 14.0) / 22.0);
    colour = lerp(colour, float3(1.0, 1.0, 1.0), haze * haze);
    return float4(saturate(colour), 1.0);
}

// ---------------------------------------------------------------------------
// Pass 2: the hexagon-grid overlay.

struct OVERLAY_PS_INPUT
{
    float4 position : SV_POSITION;
    float2 grid : TEXCOORD0;
};

OVERLAY_PS_INPUT OverlayVS(VS_INPUT input)
{
    OVERLAY_PS_INPUT output;
    output.position = float4(input.position, 1.0);
    output.grid = input.texcoord.xy;
    return output;
}

float4 OverlayPS(OVERLAY_PS_INPUT input) : SV_Target
{
    float4 tile = OverlayTexture.Sample(GridSampler, input.grid);
    // The image gives the outlines' coverage; their colour is the sea's, so
    // the strip reads over the pale field whatever shade the image has.
    float3 ink = float3(0.04, 0.20, 0.26) + 0.25 * tile.rgb;
    // A faint wash marks the strip; outlines thin out towards its right edge
    // (u runs from 0 to 2.8).
    float fade = lerp(0.9, 0.5, input.grid.x / 2.8);
    float alpha = max(tile.a * fade, 0.12);
    return float4(ink, alpha);
}

technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, ModelVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, ModelPS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
    }

    pass P1
    {
        SetVertexShader(CompileShader(vs_4_0, CellVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, CellPS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
    }

    pass P2
    {
        SetVertexShader(CompileShader(vs_4_0, OverlayVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, OverlayPS()));
        SetBlendState(Translucent, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
    }
}
