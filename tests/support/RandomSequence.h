// The one random sequence of the show, as the scenes before the Greets
// scene leave it, and a model of the generator to predict its draws.
#pragma once

#include "conformity/Conformity.h"
#include "growth/Growth.h"

#include <cstdlib>
#include <memory>

// Puts the program's generator where the scenes before the Greets scene leave
// it: from the generator's first state, a Conformity and a Growth scene are
// built, as the timeline builds them. Tests of the Greets scene start here.
inline void LeaveGeneratorAsGrowthDoes() {
    std::srand(1);
    std::unique_ptr<VRK::Conformity> conformity(new VRK::Conformity);
    std::unique_ptr<VRK::Growth> growth(new VRK::Growth);
}

// The C runtime's generator, stepped on its own: state x 214013 + 2531011,
// bits 16 to 30 of the state.
class GeneratorModel {
public:
    explicit GeneratorModel(unsigned state) : state_(state) {}
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    unsigned state_;
};
