// The Greets scene: a long white floor laid with a hexagon grid under a camera
// that pans along x, and the greeting names standing on it in block letters
// made of boxes, which burst and tumble away as "Explode" rises.
//
// Pass 0: the ground. Its quad lies in y = 0; TEXCOORD0.xy repeats the grid
//         image every 4 units along x and 5 along z.
// Pass 1: the boxes. POSITION is a corner about the box's own centre, which
//         arrives in TEXCOORD0; TEXCOORD1 is where the box flies to, and
//         TEXCOORD2 holds the box's moment (x, growing along the names in the
//         direction of the pan) and two speeds (y and z, from 4 to 19).

matrix View;
matrix Projection;
float Explode;

Texture2D GroundTexture;

SamplerState GridSampler
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Wrap;
    AddressV = Wrap;
};

// Both passes draw with the device's rasterizer state, which culls back
// faces: the boxes are closed and wound clockwise seen from outside, and the
// ground is clockwise seen from above.
BlendState Opaque
{
    BlendEnable[0] = FALSE;
    RenderTargetWriteMask[0] = 0x0F;
};

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
    float3 texcoord0 : TEXCOORD0;
    float3 texcoord1 : TEXCOORD1;
    float3 texcoord2 : TEXCOORD2;
};

// Distant things dissolve into the white the frame was cleared to.
float Haze(float depth)
{
    float haze = saturate((depth - 26.0) / 48.0);
    return haze * haze;
}

// ---------------------------------------------------------------------------
// Pass 0: the ground.

struct GROUND_PS_INPUT
{
    float4 position : SV_POSITION;
    float2 grid : TEXCOORD0;
    float3 world : TEXCOORD1;
    float depth : TEXCOORD2;
};

GROUND_PS_INPUT GroundVS(VS_INPUT input)
{
    GROUND_PS_INPUT output;
    float4 view = mul(float4(input.position, 1.0), View);
    output.position = mul(view, Projection);
    output.grid = input.texcoord0.xy;
    output.world = input.position;
    output.depth = view.z;
    return output;
}

float4 GroundPS(GROUND_PS_INPUT input) : SV_Target
{
    float4 tile = GroundTexture.Sample(GridSampler, input.grid);
    // The image gives the outlines' coverage; they are inked in a cool grey
    // on the white floor, a little darker in a band along the names' row.
    float band = 1.0 - saturate(abs(input.world.z - 5.0) / 30.0);
    float3 ink = lerp(float3(0.62, 0.70, 0.74), float3(0.36, 0.46, 0.52), band);
    float3 floorColour = float3(0.97, 0.97, 0.96);
    float3 colour = lerp(floorColour, ink, tile.a * 0.85);
    colour = lerp(colour, float3(1.0, 1.0, 1.0), Haze(input.depth));
    return float4(colour, 1.0);
}

// ---------------------------------------------------------------------------
// Pass 1: the boxes.

struct BOX_PS_INPUT
{
    float4 position : SV_POSITION;
    float3 normal : TEXCOORD0;
    float3 local : TEXCOORD1;
    float3 extent : TEXCOORD2;
    float3 across : TEXCOORD3;
    float3 tint : TEXCOORD4;
    float fade : TEXCOORD5;
};

// A fully saturated colour of the given hue (0 red, 1/3 green, 2/3 blue).
float3 Hue(float h)
{
    return saturate(abs(frac(h + float3(0.0, 2.0 / 3.0, 1.0 / 3.0)) * 6.0 - 3.0) - 1.0);
}

// A rotation by angle about a unit axis (Rodrigues), applied to a row vector.
float3 Turn(float3 v, float3 axis, float angle)
{
    float s = sin(angle);
    float c = cos(angle);
    return v * c + cross(axis, v) * s + axis * dot(axis, v) * (1.0 - c);
}

BOX_PS_INPUT BoxVS(VS_INPUT input)
{
    BOX_PS_INPUT output;
    float3 centre = input.texcoord0;
    float3 target = input.texcoord1;
    float moment = input.texcoord2.x;
    float2 speed = input.texcoord2.yz;

    // Each box keeps still until "Explode" passes its own moment, a little
    // after the camera has come to it, then flies for one unit of "Explode".
    float flight = saturate((Explode - moment - 0.2) / 1.0);
    float eased = flight * flight * (3.0 - 2.0 * flight);

    // Along the straight line to its target, lifted on an arc, turning about
    // an axis of its own at its own speed, and shrinking away at the end.
    float3 place = lerp(centre, target, eased) + float3(0.0, 6.0, 0.0) * sin(3.14159265 * eased) * 0.5;
    float3 axis = normalize(float3(speed.x - 11.5, speed.y - 11.5, 3.0));
    float angle = flight * (speed.x + speed.y) * 0.45;
    float size = 1.0 - smoothstep(0.55, 1.0, flight);

    float3 corner = Turn(input.position * size, axis, angle);
    float4 view = mul(float4(place + corner, 1.0), View);
    output.position = mul(view, Projection);
    output.normal = mul(Turn(input.normal, axis, angle), (float3x3)View);
    output.local = input.position;
    output.extent = abs(input.position);
    // The two axes that run across the face: its normal is one of the six
    // axis directions.
    output.across = 1.0 - abs(input.normal);
    // Teal where the names begin, through blue and violet to coral along
    // the pan; each box a shade apart from its neighbours so that the cuts
    // of a dot show.
    float along = saturate(moment / 3.0);
    float3 base = lerp(float3(0.55, 0.55, 0.55), Hue(0.50 + 0.52 * along), 0.62) * 0.80;
    output.tint = base * (0.86 + 0.14 * frac(speed.x * 0.37 + speed.y * 0.61));
    output.fade = saturate(Haze(view.z) + flight * flight * 0.6);
    return output;
}

float4 BoxPS(BOX_PS_INPUT input) : SV_Target
{
    float3 n = normalize(input.normal);
    // A key light from above, the left and the camera's side, in view space.
    float3 toLight = normalize(mul(float3(-0.4, 0.8, -0.45), (float3x3)View));
    float diffuse = saturate(dot(n, toLight));
    float3 colour = input.tint * (0.45 + 0.75 * diffuse) + 0.10 * pow(diffuse, 16.0);

    // A thin dark edge where a face meets its neighbours: the distance to
    // the nearest edge of this face, in the box's own units.
    float3 inside = lerp(float3(1.0, 1.0, 1.0), input.extent - abs(input.local), input.across);
    float edge = min(inside.x, min(inside.y, inside.z));
    colour *= lerp(0.55, 1.0, smoothstep(0.015, 0.045, edge));

    colour = lerp(colour, float3(1.0, 1.0, 1.0), input.fade);
    return float4(saturate(colour), 1.0);
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
    }

    pass P1
    {
        SetVertexShader(CompileShader(vs_4_0, BoxVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, BoxPS()));
        SetBlendState(Opaque, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(DepthTested, 0);
    }
}
