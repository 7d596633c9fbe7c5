#include "tools/page_art.h"

#include <array>

#include "tools/material_pixels.h"
#include "tools/object_tiles.h"

namespace pw::art {
namespace {

struct Planned {
    TileKind kind;
    int variant;
};

using K = TileKind;

constexpr std::array<Planned, kTilesPerPage> kMaterialsPage = {{
    {K::bricks, 0},
    {K::bricks, 2},
    {K::stone_blocks, 0},
    {K::stone_blocks, 1},
    {K::cobbles, 0},
    {K::cobbles, 1},
    {K::wood_planks, 0},
    {K::wood_planks, 2},
    {K::metal_plate, 0},
    {K::metal_plate, 1},
    {K::floor_tiles, 0},
    {K::floor_tiles, 1},
    {K::dirt, 0},
    {K::bricks, 3},
    {K::stone_blocks, 2},
    {K::metal_plate, 2},
}};

constexpr std::array<Planned, kTilesPerPage> kObjectsPage = {{
    {K::door, 0},
    {K::door, 1},
    {K::crate, 0},
    {K::crate, 1},
    {K::lamp, 0},
    {K::grate, 0},
    {K::barrel, 0},
    {K::lever, 0},
    {K::water, 0},
    {K::water, 0},
    {K::water, 0},
    {K::water, 0},
    {K::wood_planks, 1},
    {K::cobbles, 2},
    {K::floor_tiles, 2},
    {K::bricks, 1},
}};

using PixelFunction = Color (*)(int, int, const TileStyle&);

PixelFunction MaterialFunction(TileKind kind) {
    switch (kind) {
    case K::bricks:
        return BrickPixel;
    case K::stone_blocks:
        return StonePixel;
    case K::cobbles:
        return CobblePixel;
    case K::wood_planks:
        return [](int x, int y, const TileStyle& s) { return WoodPixel(x, y, s); };
    case K::metal_plate:
        return MetalPixel;
    case K::floor_tiles:
        return FloorTilePixel;
    case K::dirt:
        return DirtPixel;
    case K::water:
        return WaterPixel;
    default:
        return nullptr;
    }
}

void PaintObject(TileView& tile, const TileSlot& slot) {
    switch (slot.kind) {
    case K::door:
        return PaintDoor(tile, slot.style);
    case K::crate:
        return PaintCrate(tile, slot.style);
    case K::lamp:
        return PaintLamp(tile, slot.style);
    case K::grate:
        return PaintGrate(tile, slot.style);
    case K::barrel:
        return PaintBarrel(tile, slot.style);
    default:
        return PaintLever(tile, slot.style);
    }
}

} // namespace

TileSlot TileAt(int page, int slot, std::uint32_t level_seed) {
    const auto p = static_cast<std::uint32_t>(page);
    const auto s = static_cast<std::uint32_t>(slot);
    TileSlot result;
    if (page == 0 || page == kWaterPage) {
        const Planned planned = (page == 0 ? kMaterialsPage : kObjectsPage)[static_cast<std::size_t>(slot)];
        result.kind = planned.kind;
        result.style.variant = planned.variant;
    } else {
        const std::uint32_t pick = Hash32(p, s, level_seed);
        result.kind = static_cast<TileKind>(pick % kTileKindCount);
        result.style.variant = static_cast<int>((pick >> 8) % 4);
        result.style.frame = static_cast<int>((pick >> 16) % kWaterFrames);
    }
    result.style.seed = Hash32(p, s, level_seed ^ 0x5EEDu);
    const bool water_frame =
        page == kWaterPage && slot >= kWaterFirstSlot && slot < kWaterFirstSlot + kWaterFrames;
    if (water_frame) {
        result.style.seed = Hash32(p, kWaterFirstSlot, level_seed);
        result.style.frame = slot - kWaterFirstSlot;
    }
    return result;
}

void PaintTile(TileView& tile, const TileSlot& slot) {
    const PixelFunction material = MaterialFunction(slot.kind);
    if (material == nullptr) {
        PaintObject(tile, slot);
        return;
    }
    for (int y = 0; y < TileView::kSize; ++y)
        for (int x = 0; x < TileView::kSize; ++x)
            tile.Set(x, y, material(x, y, slot.style));
}

void PaintPage(PageCanvas& canvas, int page, std::uint32_t level_seed) {
    for (int slot = 0; slot < kTilesPerPage; ++slot) {
        TileView tile(canvas, (slot % kTilesPerRow) * TileView::kSize,
                      (slot / kTilesPerRow) * TileView::kSize);
        PaintTile(tile, TileAt(page, slot, level_seed));
    }
}

} // namespace pw::art
