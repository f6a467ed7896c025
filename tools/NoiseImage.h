#pragma once

#include "Canvas.h"

// Smooth noise that tiles, 512 x 512 texels: red, green and blue are three
// independent fields with values spread about mid-grey; alpha is opaque.
constexpr int kNoiseSize = 512;

// The value of one channel (0, 1 or 2) at texel (x, y), about 0 to 1. Defined on
// the whole plane and periodic in kNoiseSize along both axes.
double NoiseValue(int channel, int x, int y);

Canvas DrawNoiseImage();
