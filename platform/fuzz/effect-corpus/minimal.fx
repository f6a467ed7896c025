float4 VS(float3 p : POSITION) : SV_Position { return float4(p, 1); }
float4 PS() : SV_Target { return float4(1, 0, 0, 1); }
technique10 Render { pass P0 { SetVertexShader(CompileShader(vs_4_0, VS())); SetGeometryShader(NULL); SetPixelShader(CompileShader(ps_4_0, PS())); } }
