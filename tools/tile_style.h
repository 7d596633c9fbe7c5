// The kinds of 64 x 64 tiles that the procedural pages are made of, and the knobs of one drawing.
#pragma once

#include <cstdint>

namespace pw::art {

enum class TileKind {
    bricks,
    stone_blocks,
    cobbles,
    wood_planks,
    metal_plate,
    floor_tiles,
    dirt,
    water,
    door,
    crate,
    lamp,
    grate,
    barrel,
    lever,
};

inline constexpr int kTileKindCount = 14;
// Frames of the water tile; drawing frame f shifts the pattern by a quarter tile, so the frames loop.
inline constexpr int kWaterFrames = 4;

struct TileStyle {
    int variant = 0;        // 0 to 3: colour scheme or pattern of the kind
    std::uint32_t seed = 0; // picks the random details
    int frame = 0;          // animation frame (water)
};

// Tiles with transparent pixels (drawn with the transparent colour around or between their parts).
inline bool HasTransparency(TileKind kind) {
    return kind == TileKind::lamp || kind == TileKind::grate || kind == TileKind::barrel;
}

} // namespace pw::art
