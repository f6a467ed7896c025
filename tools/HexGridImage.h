#pragma once

#include "Canvas.h"

// The hexagon-grid tile: light outlines of flat-topped hexagons on a transparent
// background, 110 x 184 texels, repeating seamlessly in both directions.
constexpr int kHexGridWidth = 110;
constexpr int kHexGridHeight = 184;

// How much of the texel at (x, y) the outlines cover, 0 to 1. Defined on the
// whole plane: the tile is the part from (0, 0) to (110, 184).
double HexGridCoverage(int x, int y);

Canvas DrawHexGridImage();
