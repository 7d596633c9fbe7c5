// Which tile stands where on the procedural pages, and the drawing of whole 256 x 256 pages.
// Page 0 holds wall and floor materials, page 1 objects and the four water frames; later pages mix
// every kind in other colours and patterns, so a level of many pages has no two pages alike.
#pragma once

#include <cstdint>

#include "tools/texture_canvas.h"
#include "tools/tile_style.h"

namespace pw::art {

inline constexpr int kTilesPerRow = 4;
inline constexpr int kTilesPerPage = 16;
// The water frames stand on page 1 in slots kWaterFirstSlot to kWaterFirstSlot + kWaterFrames - 1.
inline constexpr int kWaterPage = 1;
inline constexpr int kWaterFirstSlot = 8;

struct TileSlot {
    TileKind kind = TileKind::bricks;
    TileStyle style;
};

TileSlot TileAt(int page, int slot, std::uint32_t level_seed);
void PaintTile(TileView& tile, const TileSlot& slot);
void PaintPage(PageCanvas& canvas, int page, std::uint32_t level_seed);

} // namespace pw::art
