#include "varpack.h"

#include <cassert>

namespace VRK {

// Left uninitialised: a reader waits for the controller's first write.
VarPack::VarPack(unsigned count) : values_(new float[count]), count_(count) {}

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
