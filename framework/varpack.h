// A fixed number of float variables: controllers write them, scene parts read them.
#pragma once

namespace VRK {

class VarPack {
public:
    explicit VarPack(unsigned count);
    ~VarPack();

    float Get(unsigned id) const;
    void Set(unsigned id, float value);

private:
    VarPack(const VarPack&) = delete;
    VarPack& operator=(const VarPack&) = delete;

    float* values_;
    unsigned count_;
};

}  // namespace VRK
