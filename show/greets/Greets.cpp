#include "Greets.h"

#include "PlaceholderFrame.h"

namespace VRK {

Greets::Greets() : startTime_(0) {}

Greets::~Greets() {}

void Greets::Start(unsigned time) { startTime_ = time; }

void Greets::Update(unsigned) {}

void Greets::Render() {
    const float color[4] = {0.95f, 0.95f, 0.95f, 1.0f};
    DrawPlaceholderFrame(color);
}

}  // namespace VRK
