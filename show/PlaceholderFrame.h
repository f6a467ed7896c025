// What a scene that is not built yet draws: the back buffer, over the whole
// screen, in one flat colour of its own.
#pragma once

namespace VRK {

void DrawPlaceholderFrame(const float color[4]);

}  // namespace VRK
