#include "Growth.h"

#include "PlaceholderFrame.h"

namespace VRK {

Growth::Growth() : startTime_(0) {}

Growth::~Growth() {}

void Growth::Start(unsigned time) { startTime_ = time; }

void Growth::Update(unsigned) {}

void Growth::Render() {
    const float color[4] = {0.12f, 0.30f, 0.15f, 1.0f};
    DrawPlaceholderFrame(color);
}

}  // namespace VRK
