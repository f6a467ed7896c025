// The state objects of an effect file (SamplerState, BlendState,
// DepthStencilState, RasterizerState): Direct3D 10's defaults and the
// assignments an effect may write into them, with Direct3D's field names and
// value names.
#pragma once

#include "EffectCompiler.h"

#include <string>
#include <vector>

namespace fx {

// The right-hand side of one assignment in a state object's body.
struct StateValue {
    enum class Kind { Name, Number, Vector };
    Kind kind = Kind::Name;
    std::string name;              // Kind::Name: the identifier as written
    std::vector<double> numbers;   // Kind::Number: one; Kind::Vector: the components
    bool integral = false;         // Kind::Number written as an integer literal
};

// The state-object type a keyword of the effect language declares; false
// for any other word.
bool StateKindFromKeyword(const std::string& word, StateKind& kind);
const char* StateKindKeyword(StateKind kind);

// A state object holding Direct3D 10's defaults for every description.
StateObject DefaultStateObject(StateKind kind, const std::string& name);

// Applies `field[index] = value` (index -1 when the field has none). Field
// and value names are matched without regard to case, as Direct3D's effect
// compiler does. On failure leaves the object as it was and says why.
bool AssignState(StateObject& state, const std::string& field, int index, const StateValue& value,
                 std::string& error);

// The object's own description as 32-bit words, field by field, for the
// compiled-effect format; and back, refusing any word that is not a value
// Direct3D defines for its field.
std::vector<uint32_t> StateWords(const StateObject& state);
bool StateFromWords(StateKind kind, const std::string& name, const uint32_t* words, size_t count,
                    StateObject& state);

}  // namespace fx
