#pragma once

#include "Canvas.h"

// One particle: a soft round spot, 256 x 256 texels, a pale warm heart
// deepening to amber, its alpha falling smoothly to nothing at the rim.
constexpr int kParticleSize = 256;

Canvas DrawParticleImage();
