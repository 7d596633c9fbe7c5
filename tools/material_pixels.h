// Per-pixel colour functions of the tileable materials. Object tiles combine them in regions.
// Coordinates are tile pixels 0 to 63; every material repeats every 64 pixels.
#pragma once

#include "tools/texture_canvas.h"
#include "tools/tile_style.h"

namespace pw::art {

Color BrickPixel(int x, int y, const TileStyle& style);
Color StonePixel(int x, int y, const TileStyle& style);
Color CobblePixel(int x, int y, const TileStyle& style);
// Planks of 16 pixels across; `horizontal` turns the grain by a quarter turn.
Color WoodPixel(int x, int y, const TileStyle& style, bool horizontal = false);
Color MetalPixel(int x, int y, const TileStyle& style);
Color FloorTilePixel(int x, int y, const TileStyle& style);
Color DirtPixel(int x, int y, const TileStyle& style);
Color WaterPixel(int x, int y, const TileStyle& style);

// Light on the upper-left edges and shadow on the lower-right ones of a block whose local coordinates
// are (lx, ly) inside w x h pixels.
float BevelShade(int lx, int ly, int w, int h, int width_px = 1);

} // namespace pw::art
