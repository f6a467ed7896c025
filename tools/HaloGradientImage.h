#pragma once

#include "Canvas.h"

// The End halo's colour ramp, 512 x 8 texels: u runs from the ring's inside
// edge (u = 0) across its bright core to its outside edge (u = 1); every row
// is the same. Opaque; the shader decides how bright each part glows.
constexpr int kHaloGradientWidth = 512;
constexpr int kHaloGradientHeight = 8;

Canvas DrawHaloGradientImage();
