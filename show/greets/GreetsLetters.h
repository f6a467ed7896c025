// The thirteen greeting names in block letters over the Greets ground: every
// dot of the dot font a unit cell cut at random into three boxes, each box
// carrying its centre, a place to fly to and its own timing and spin in its
// texture coordinates, so that the effect alone moves it by "Explode".
#pragma once

#include "GreetsVertex.h"
#include "VertexRange.h"

#include "controller.h"
#include "varpack.h"
#include "vector3d.h"

#include <d3d10.h>

#include <string>

namespace VRK {

// Built during static initialisation, in this order, and destroyed at exit.
extern const std::string greetingName01;
extern const std::string greetingName02;
extern const std::string greetingName03;
extern const std::string greetingName04;
extern const std::string greetingName05;
extern const std::string greetingName06;
extern const std::string greetingName07;
extern const std::string greetingName08;
extern const std::string greetingName09;
extern const std::string greetingName10;
extern const std::string greetingName11;
extern const std::string greetingName12;
extern const std::string greetingName13;

class GreetsLetters {
public:
    GreetsLetters(GreetsVertex* vertices, ID3D10Effect* effect, const VertexRange* range,
                  ID3D10RenderTargetView* target);
    ~GreetsLetters();

    GreetsLetters(const GreetsLetters&) = delete;
    GreetsLetters& operator=(const GreetsLetters&) = delete;

    // The vertices BuildGeometry writes; the scene sizes its array with it.
    static unsigned VertexCount();
    static unsigned NameVertexCount(const std::string& name);
    static unsigned GlyphVertexCount(char c);

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    // The next vertex BuildGeometry would have written.
    unsigned WriteIndex() const { return writeIndex_; }
    // The explosion amount as the last Update left it.
    float Explode() const { return pack_->Get(0); }

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    void AddName(const std::string& name, VMath::Vector3D<float> cursor);
    void AddLetter(char c, VMath::Vector3D<float>& cursor);
    void AddDot(VMath::Vector3D<float> p);
    void AddBox(VMath::Vector3D<float> centre, VMath::Vector3D<float> size);

    unsigned writeIndex_;
    GreetsVertex* vertices_;
    VertexRange range_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectScalarVariable* explode_;
    ID3D10RenderTargetView* targetView_;
    unsigned startTime_;
    VarPack* pack_;
    IController* controller_;
};

// A box is built from eight corners (signs of x, y, z per corner: 0 ---,
// 1 +--, 2 +-+, 3 --+, 4 -+-, 5 ++-, 6 +++, 7 -++) and written as six faces
// of two triangles, 36 vertices, clockwise seen from outside.
void SetBoxCorners(GreetsVertex* corners, VMath::Vector3D<float> centre, VMath::Vector3D<float> size);
void SetBoxNormals(GreetsVertex* corners);
void SetBoxTexcoord0(GreetsVertex* corners, VMath::Vector3D<float> value);
void SetBoxTexcoord1(GreetsVertex* corners, VMath::Vector3D<float> value);
void SetBoxTexcoord2(GreetsVertex* corners, VMath::Vector3D<float> value);
void EmitBox(GreetsVertex* out, const GreetsVertex* corners);
void EmitBoxFace(GreetsVertex* out, GreetsVertex a, GreetsVertex b, GreetsVertex c, GreetsVertex d);

}  // namespace VRK
