// Pictures for the scenes' tests: read a target back, keep and compare
// reference frames under tests/frames/.
#pragma once

#include "conformity/Conformity.h"

#include "SceneLayout.h"

#include "framework.h"
#include "globals.h"
#include "mesh.h"

#include <d3d10.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scene_frames {

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // top row first

    const uint8_t* At(int x, int y) const { return &rgba[4 * (static_cast<size_t>(y) * width + x)]; }
    bool IsWhite(int x, int y) const {
        const uint8_t* p = At(x, y);
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
};

// What a render-target view holds now, top row first.
Frame ReadTarget(ID3D10RenderTargetView* view);

bool LoadFrame(const std::string& path, Frame& frame);
bool SaveFrame(const std::string& path, const Frame& frame);

struct FrameDifference {
    double meanAbsolute = 0.0;    // per channel, 0 to 255
    double farOffFraction = 0.0;  // pixels with a channel off by more than farOff
};

FrameDifference Compare(const Frame& a, const Frame& b, int farOff);

// The reference frame's path for a name such as "conformity-0500ms-800x600".
std::string ReferencePath(const std::string& name);

// Compares with the stored reference; when BRIMVALE_UPDATE_FRAMES is set in
// the environment, stores the frame as the new reference instead. Returns an
// empty string when the frame matches, otherwise what went wrong.
std::string MatchesReference(const std::string& name, const Frame& frame);

// A scene started at start and drawn at elapsed milliseconds after it, as it
// left the back buffer.
template <typename Scene>
Frame DrawSceneAt(Scene& scene, unsigned start, unsigned elapsed) {
    scene.Start(start);
    scene.Update(start + elapsed);
    scene.Render();
    return ReadTarget(backBufferView);
}

// A reference frame's name: the scene, the milliseconds into it with at
// least the given digits, the size of the back buffer.
std::string FrameName(const char* scene, unsigned elapsed, int digits);

// The Conformity scene's effect, loaded afresh.
ID3D10Effect* LoadSeaEffect();

// A mesh over a part's own array of a scene's 36-byte record (Conformity's or
// Growth's), laid out as the scene lays out its own.
template <typename Vertex>
VRK::Mesh* MakeMesh(ID3D10Effect* effect, const Vertex* vertices, unsigned count) {
    D3D10_PASS_DESC passDesc;
    VRK::CheckResult(effect->GetTechniqueByName("Render")->GetPassByIndex(0)->GetDesc(&passDesc));
    return new VRK::Mesh(VRK::positionNormalTexcoordElements, 3, passDesc, vertices, sizeof(Vertex), count,
                         D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

}  // namespace scene_frames
