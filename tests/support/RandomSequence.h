// The one random sequence of the show, as the scenes before the Greets
// scene leave it, and a model of the generator to predict its draws.
#pragma once

#include <cstdlib>

// Puts the program's generator where the Growth scene leaves it: its ribbons
// reseed with 0 and draw 32 numbers, its particles 3,000 more, so nothing
// drawn before the ribbons matters. Tests of the Greets scene start here.
inline void LeaveGeneratorAsGrowthDoes() {
    std::srand(0);
    for (int i = 0; i < 3032; ++i) std::rand();
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
