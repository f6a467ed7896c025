#pragma once

#include "Canvas.h"

// The ribbons' pattern: rounded bands of colour on white, 256 x 256 texels,
// repeating seamlessly along x (the ribbons' u). Across y (the ribbons' width)
// the bands are deepest in the middle and pale towards both edges. Opaque:
// the effect reads white as open air.
constexpr int kGrowthRibbonsSize = 256;

Canvas DrawGrowthRibbonsImage();
