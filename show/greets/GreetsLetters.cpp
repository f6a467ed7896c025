#include "GreetsLetters.h"

#include "DotFont.h"

#include "WriteQuad.h"
#include "framework.h"
#include "globals.h"
#include "linearcontroller.h"

#include <boost/bind/bind.hpp>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace VRK {

const std::string greetingName01("yib");
const std::string greetingName02("vemna");
const std::string greetingName03("torpe");
const std::string greetingName04("mulvanet");
const std::string greetingName05("sirkolan");
const std::string greetingName06("quenbarth");
const std::string greetingName07("dolvemiric");
const std::string greetingName08("prisol");
const std::string greetingName09("hulta");
const std::string greetingName10("gavrinel");
const std::string greetingName11("wum");
const std::string greetingName12("zuv");
const std::string greetingName13("ostem");

namespace {

const unsigned boxVertices = 36;
const unsigned dotVertices = 3 * boxVertices;

// The names as they are written, each with the bottom-left dot of its first
// letter: spread over the ground along the camera's path, some nearer, some
// further back.
struct PlacedName {
    const std::string* name;
    float x, y, z;
};

const PlacedName placedNames[13] = {
    {&greetingName01, -40.0f, 2.0f, 0.0f},  {&greetingName02, -30.0f, 2.0f, -10.0f},
    {&greetingName04, -30.0f, 2.0f, 20.0f}, {&greetingName05, -20.0f, 2.0f, 10.0f},
    {&greetingName06, 20.0f, 2.0f, 20.0f},  {&greetingName08, 0.0f, 2.0f, 0.0f},
    {&greetingName10, 10.0f, 2.0f, -10.0f}, {&greetingName12, 40.0f, 2.0f, 5.0f},
    {&greetingName07, 60.0f, 2.0f, 10.0f},  {&greetingName09, 70.0f, 2.0f, 0.0f},
    {&greetingName13, 50.0f, 2.0f, -10.0f}, {&greetingName03, 80.0f, 2.0f, -10.0f},
    {&greetingName11, 70.0f, 2.0f, 20.0f},
};

// Signs of the eight corners, and the faces as corners A, B, C, D: the two
// triangles (A, B, C) and (A, C, D) of each run clockwise seen from outside.
const float cornerSigns[8][3] = {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1},
                                 {-1, 1, -1},  {1, 1, -1},  {1, 1, 1},  {-1, 1, 1}};
const int faces[6][4] = {{0, 1, 2, 3}, {4, 5, 1, 0}, {5, 6, 2, 1}, {6, 7, 3, 2}, {7, 4, 0, 3}, {7, 6, 5, 4}};

float RandomFloat(int modulus, int offset) { return static_cast<float>(std::rand() % modulus + offset); }

}  // namespace

void SetBoxCorners(GreetsVertex* corners, VMath::Vector3D<float> centre, VMath::Vector3D<float> size) {
    for (int k = 0; k < 8; ++k)
        corners[k].position = centre + VMath::Vector3D<float>(cornerSigns[k][0] * size.x * 0.5f,
                                                              cornerSigns[k][1] * size.y * 0.5f,
                                                              cornerSigns[k][2] * size.z * 0.5f);
}

void SetBoxNormals(GreetsVertex* corners) {
    for (int k = 0; k < 8; ++k)
        corners[k].normal = VMath::Vector3D<float>(cornerSigns[k][0], cornerSigns[k][1], cornerSigns[k][2]);
}

void SetBoxTexcoord0(GreetsVertex* corners, VMath::Vector3D<float> value) {
    for (int k = 0; k < 8; ++k) corners[k].texcoord0 = value;
}

void SetBoxTexcoord1(GreetsVertex* corners, VMath::Vector3D<float> value) {
    for (int k = 0; k < 8; ++k) corners[k].texcoord1 = value;
}

void SetBoxTexcoord2(GreetsVertex* corners, VMath::Vector3D<float> value) {
    for (int k = 0; k < 8; ++k) corners[k].texcoord2 = value;
}

void EmitBox(GreetsVertex* out, const GreetsVertex* corners) {
    for (int k = 0; k < 6; ++k)
        EmitBoxFace(out + 6 * k, corners[faces[k][0]], corners[faces[k][1]], corners[faces[k][2]],
                    corners[faces[k][3]]);
}

void EmitBoxFace(GreetsVertex* out, GreetsVertex a, GreetsVertex b, GreetsVertex c, GreetsVertex d) {
    // The corners' normals point out along all three axes; their sum over a
    // face keeps only the face's own direction.
    const VMath::Vector3D<float> n = (a.normal + b.normal + c.normal + d.normal).Normalized();
    a.normal = n;
    b.normal = n;
    c.normal = n;
    d.normal = n;
    WriteQuad(out, a, b, c, d);
}

GreetsLetters::GreetsLetters(GreetsVertex* vertices, ID3D10Effect* effect, const VertexRange* range,
                             ID3D10RenderTargetView* target)
    : writeIndex_(0),
      vertices_(vertices),
      range_(*range),
      effect_(effect),
      technique_(nullptr),
      explode_(nullptr),
      targetView_(target),
      startTime_(0),
      pack_(nullptr),
      controller_(nullptr) {
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
}

GreetsLetters::~GreetsLetters() {
    delete controller_;
    delete pack_;
}

unsigned GreetsLetters::VertexCount() {
    unsigned count = 0;
    for (const PlacedName& placed : placedNames) count += NameVertexCount(*placed.name);
    return count;
}

unsigned GreetsLetters::NameVertexCount(const std::string& name) {
    unsigned count = 0;
    for (char c : name) count += GlyphVertexCount(c);
    return count;
}

unsigned GreetsLetters::GlyphVertexCount(char c) { return dotFont.PointCount(c) * dotVertices; }

void GreetsLetters::BuildGeometry() {
    writeIndex_ = range_.first;
    for (const PlacedName& placed : placedNames)
        AddName(*placed.name, VMath::Vector3D<float>(placed.x, placed.y, placed.z));
}

void GreetsLetters::AddName(const std::string& name, VMath::Vector3D<float> cursor) {
    // Every letter advances the one cursor, so the next starts where it ends.
    std::for_each(name.begin(), name.end(),
                  boost::bind(&GreetsLetters::AddLetter, this, boost::placeholders::_1, boost::ref(cursor)));
}

void GreetsLetters::AddLetter(char c, VMath::Vector3D<float>& cursor) {
    const std::vector<VMath::Vector3D<float>> dots = dotFont.Glyph(c);
    for (const VMath::Vector3D<float>& d : dots) AddDot(d + cursor);
    cursor.x += static_cast<float>(dotFont.Width(c) + 1);
}

void GreetsLetters::AddDot(VMath::Vector3D<float> p) {
    const VMath::Vector3D<float> base = p - VMath::Vector3D<float>(0.5f, 0.5f, 0.5f);
    // Two draws, in this order, cut the cell: a across x, then b up the rest.
    const float a = static_cast<float>((std::rand() % 8 + 1) * 0.1);
    const float b = static_cast<float>((std::rand() % 8 + 1) * 0.1);
    const float a1 = 1.0f - a;
    const float b1 = 1.0f - b;
    AddBox(base + VMath::Vector3D<float>(a * 0.5f, 0.5f, 0.5f), VMath::Vector3D<float>(a, 1.0f, 1.0f));
    AddBox(base + VMath::Vector3D<float>(a1 * 0.5f + a, b * 0.5f, 0.5f), VMath::Vector3D<float>(a1, b, 1.0f));
    AddBox(base + VMath::Vector3D<float>(a1 * 0.5f + a, b1 * 0.5f + b, 0.5f), VMath::Vector3D<float>(a1, b1, 1.0f));
}

void GreetsLetters::AddBox(VMath::Vector3D<float> centre, VMath::Vector3D<float> size) {
    GreetsVertex corners[8];
    SetBoxCorners(corners, VMath::Vector3D<float>(0.0f, 0.0f, 0.0f), size);
    SetBoxNormals(corners);
    SetBoxTexcoord0(corners, centre);
    // Each draw in its own statement: the order of the draws fixes every box.
    const float dx = RandomFloat(16, -16);
    const float dy = RandomFloat(16, 8);
    const float dz = RandomFloat(16, -8);
    SetBoxTexcoord1(corners, centre + VMath::Vector3D<float>(dx, dy, dz));
    const float e1 = RandomFloat(16, 4);
    const float e2 = RandomFloat(16, 4);
    // Grows along the names in the direction the camera pans and falls with
    // height; taken in double with the single-precision factor, rounded once.
    const double u = (static_cast<double>(centre.x) + 40 + 6 - centre.y) * static_cast<double>(0.02f);
    SetBoxTexcoord2(corners, VMath::Vector3D<float>(static_cast<float>(u), e1, e2));
    EmitBox(vertices_ + writeIndex_, corners);
    writeIndex_ += boxVertices;
}

void GreetsLetters::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    explode_ = effect_->GetVariableByName("Explode")->AsScalar();
}

void GreetsLetters::CreateControllers() {
    pack_ = new VarPack(1);
    // Rises across exactly the scene's twenty seconds, never reaching the loop.
    controller_ = new LinearController<float>(pack_, 0, 0, 20000, true, 0.0f, 3.5f);
}

void GreetsLetters::Start(unsigned time) {
    startTime_ = time;
    controller_->Start(static_cast<int>(time));
}

void GreetsLetters::Update(unsigned time) { controller_->Update(static_cast<int>(time)); }

void GreetsLetters::Render() {
    // The ground has bound the targets, the viewport and the matrices.
    CheckResult(explode_->SetFloat(pack_->Get(0)));
    CheckResult(technique_->GetPassByIndex(1)->Apply(0));
    device->Draw(range_.count, range_.first);
}

}  // namespace VRK
