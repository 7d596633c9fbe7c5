// Tiles that show one object each: doors, crates, a lamp, a grate, a barrel and a lever panel.
#pragma once

#include "tools/texture_canvas.h"
#include "tools/tile_style.h"

namespace pw::art {

void PaintDoor(TileView& tile, const TileStyle& style);
void PaintCrate(TileView& tile, const TileStyle& style);
void PaintLamp(TileView& tile, const TileStyle& style);
void PaintGrate(TileView& tile, const TileStyle& style);
void PaintBarrel(TileView& tile, const TileStyle& style);
void PaintLever(TileView& tile, const TileStyle& style);

} // namespace pw::art
