#include "End.h"

#include "PlaceholderFrame.h"

namespace VRK {

End::End() : startTime_(0) {}

End::~End() {}

void End::Start(unsigned time) { startTime_ = time; }

void End::Update(unsigned) {}

void End::Render() {
    const float color[4] = {0.30f, 0.10f, 0.25f, 1.0f};
    DrawPlaceholderFrame(color);
}

}  // namespace VRK
