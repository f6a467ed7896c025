#include "varpack.h"

#include <cassert>

namespace VRK {

// Zero until the first write: a controller whose first update already lies
// past its interval never writes, and its reader must not see stray memory.
VarPack::VarPack(unsigned count) : values_(new float[count]()), count_(count) {}

VarPack::~VarPack() { delete[] values_; }

float VarPack::Get(unsigned id) const {
    assert(id < count_);
    return values_[id];
}

void VarPack::Set(unsigned id, float value) {
    assert(id < count_);
    values_[id] = value;
}

}  // namespace VRK
