#include "tools/material_pixels.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pw::art {
namespace {

constexpr int kTile = 64;

using Scheme = std::array<Color, 4>;

Color Pick(const Scheme& scheme, int variant) {
    return scheme[static_cast<std::size_t>(variant & 3)];
}

std::uint32_t U(int v) {
    return static_cast<std::uint32_t>(v);
}

// Triangle wave in [0, 1] with period 1: wood rings, sand ripples.
float Triangle(float v) {
    return std::fabs((v - std::floor(v)) * 2.0f - 1.0f);
}

} // namespace

float BevelShade(int lx, int ly, int w, int h, int width_px) {
    if (lx < width_px || ly < width_px)
        return 1.22f;
    if (lx >= w - width_px || ly >= h - width_px)
        return 0.7f;
    return 1.0f;
}

Color BrickPixel(int x, int y, const TileStyle& s) {
    static const Scheme bricks = {Rgb(150, 68, 48), Rgb(122, 86, 60), Rgb(196, 164, 112), Rgb(112, 110, 116)};
    const int row = y / 16;
    const int shifted = x + (row % 2) * 16;
    const int column = (shifted / 32) % 2;
    const int lx = shifted % 32;
    const int ly = y % 16;
    const float grain = TileFbm(x, y, 16, kTile, s.seed);
    if (lx < 2 || ly < 2)
        return Rgb(150, 144, 132) * (0.72f + 0.35f * grain);
    const float tone = 0.78f + 0.3f * Random01(U(row), U(column), s.seed);
    Color c = Pick(bricks, s.variant) * tone * (0.72f + 0.5f * grain);
    c.r *= 0.94f + 0.12f * Random01(U(row), U(column), s.seed + 1);
    float k = BevelShade(lx - 2, ly - 2, 30, 14);
    if (Random01(U(x), U(y), s.seed + 7) > 0.95f)
        k *= 0.8f;
    return c * k;
}

namespace {

// A dark hairline crack that wanders across one stone block.
bool OnCrack(int x, int y, const TileStyle& s) {
    int cx = 8 + static_cast<int>(Random01(s.seed, 11) * 40.0f);
    int cy = 4 + static_cast<int>(Random01(s.seed, 12) * 20.0f);
    for (int step = 0; step < 22; ++step) {
        if (cx == x && cy == y)
            return true;
        cx += Random01(s.seed, U(step), 13) < 0.7f ? 1 : 0;
        cy += static_cast<int>(Random01(s.seed, U(step), 14) * 3.0f) - 1 + (step % 3 == 0 ? 1 : 0);
    }
    return false;
}

} // namespace

Color StonePixel(int x, int y, const TileStyle& s) {
    static const Scheme stone = {Rgb(146, 138, 124), Rgb(86, 92, 104), Rgb(178, 152, 110), Rgb(104, 116, 96)};
    const int row = y / 32;
    const int shifted = (x + (row % 2) * 16) % kTile;
    const int block = shifted / 32;
    const int lx = shifted % 32;
    const int ly = y % 32;
    if (lx < 2 || ly < 2)
        return Rgb(60, 56, 52) * (0.8f + 0.4f * Random01(U(x), U(y), s.seed));
    const float mottle = TileFbm(x, y, 16, kTile, s.seed + 3);
    const float tone = 0.85f + 0.25f * Random01(U(row), U(block), s.seed + 4);
    Color c = Pick(stone, s.variant) * tone * (0.65f + 0.55f * mottle);
    float k = BevelShade(lx - 2, ly - 2, 30, 30, 2);
    if (Random01(U(x), U(y), s.seed + 5) > 0.97f)
        k *= 0.7f;
    if (OnCrack(x, y, s))
        k *= 0.45f;
    return c * k;
}

Color CobblePixel(int x, int y, const TileStyle& s) {
    static const Scheme cobble = {Rgb(128, 122, 116), Rgb(118, 118, 110), Rgb(134, 106, 80),
                                  Rgb(98, 108, 124)};
    const CellDistances d = TileCells(x, y, 16, kTile, s.seed);
    const float grain = TileFbm(x, y, 8, kTile, s.seed + 9);
    if (d.second - d.nearest < 1.6f)
        return Rgb(48, 44, 40) * (0.8f + 0.4f * grain);
    const float tone = 0.7f + 0.45f * Random01(d.cell, s.seed);
    const float dome = 1.15f - 0.4f * std::min(d.nearest / 11.0f, 1.0f);
    Color c = Pick(cobble, s.variant) * tone * dome * (0.75f + 0.35f * grain);
    if (s.variant == 1) {
        const float moss = TileFbm(x, y, 16, kTile, s.seed + 21);
        const float edge = std::max(0.0f, 1.0f - (d.second - d.nearest) / 6.0f);
        c = Mix(c, Rgb(72, 104, 40) * (0.7f + 0.5f * grain), Clamp01((moss - 0.45f) * 3.0f + edge * 0.4f));
    }
    return c;
}

Color WoodPixel(int x, int y, const TileStyle& s, bool horizontal) {
    static const Scheme light = {Rgb(168, 118, 70), Rgb(110, 76, 50), Rgb(206, 172, 118), Rgb(156, 86, 54)};
    if (horizontal)
        std::swap(x, y);
    const int plank = x / 16;
    const int lx = x % 16;
    const std::uint32_t plank_seed = Hash32(s.seed, U(plank));
    const int joint = static_cast<int>(Random01(plank_seed, 1) * kTile);
    const float grain = TileFbm(x, y, 4, 32, kTile, plank_seed);
    const float ring = Triangle(grain * 5.0f + Random01(plank_seed, 2));
    const Color base = Pick(light, s.variant) * (0.85f + 0.25f * Random01(plank_seed, 3));
    Color c = Mix(base * 0.62f, base, SmoothStep01(ring));
    float k = 1.0f;
    if (lx == 0)
        k = 0.45f;
    else if (lx == 1)
        k = 1.12f;
    else if (lx == 15)
        k = 0.72f;
    if (y == joint)
        k = 0.45f;
    const int nail_y = (joint + 3) % kTile;
    if ((lx == 4 || lx == 11) && (y == nail_y || y == nail_y + 1))
        return Rgb(70, 70, 74);
    return c * k;
}

namespace {

// Raised diagonal bars of a tread plate: 1.3 on a bar, 0.72 in its shadow, else 1.
float TreadShade(int x, int y) {
    const int cx = x % 8;
    const int cy = y % 8;
    const bool rising = ((x / 8 + y / 8) % 2) == 0;
    const int along = rising ? cx + cy : cx + (7 - cy);
    const int across = rising ? cx - cy : cx - (7 - cy);
    if (std::abs(across) <= 1 && along >= 2 && along <= 12)
        return 1.3f;
    if (across == 2 && along >= 2 && along <= 12)
        return 0.72f;
    return 1.0f;
}

// A domed rivet of radius 3 at each corner of the plate; 0 outside any rivet.
float RivetShade(int x, int y) {
    for (const int cx : {8, 55}) {
        for (const int cy : {8, 55}) {
            const int dx = x - cx;
            const int dy = y - cy;
            if (dx * dx + dy * dy <= 9)
                return 1.35f - 0.12f * static_cast<float>(dx + dy + 4);
        }
    }
    return 0.0f;
}

} // namespace

Color MetalPixel(int x, int y, const TileStyle& s) {
    static const Scheme metal = {Rgb(124, 130, 142), Rgb(142, 142, 148), Rgb(122, 96, 78), Rgb(156, 116, 62)};
    const float streak = TileFbm(x, y, 32, 2, kTile, s.seed);
    Color c = Pick(metal, s.variant) * (0.78f + 0.38f * streak);
    if (s.variant == 2) {
        const float rust = TileFbm(x, y, 16, kTile, s.seed + 5);
        c = Mix(c, Rgb(150, 72, 30) * (0.6f + 0.6f * streak), Clamp01((rust - 0.42f) * 3.0f));
    }
    if (s.variant == 1)
        c = c * TreadShade(x, y);
    float k = BevelShade(x, y, kTile, kTile, 3);
    const float rivet = RivetShade(x, y);
    if (rivet > 0.0f)
        k = rivet;
    return c * k;
}

Color FloorTilePixel(int x, int y, const TileStyle& s) {
    static const std::array<Scheme, 2> pairs = {
        Scheme{Rgb(222, 206, 172), Rgb(30, 30, 34), Rgb(226, 230, 236), Rgb(92, 130, 70)},
        Scheme{Rgb(170, 82, 52), Rgb(228, 226, 220), Rgb(50, 92, 168), Rgb(196, 160, 64)}};
    const int tx = x / 16;
    const int ty = y / 16;
    const int lx = x % 16;
    const int ly = y % 16;
    if (lx == 0 || ly == 0)
        return Rgb(84, 80, 74);
    const Color base = Pick(pairs[static_cast<std::size_t>((tx + ty) % 2)], s.variant);
    const float tone = 0.9f + 0.15f * Random01(U(tx), U(ty), s.seed);
    Color c = base * tone * (0.85f + 0.25f * TileFbm(x, y, 8, kTile, s.seed + 1));
    if (s.variant == 1) {
        const float vein = std::fabs(TileFbm(x, y, 16, kTile, s.seed + 2) * 2.0f - 1.0f);
        if (vein < 0.05f)
            c = c * 0.6f + Rgb(60, 60, 60);
    }
    return c * BevelShade(lx - 1, ly - 1, 15, 15);
}

Color DirtPixel(int x, int y, const TileStyle& s) {
    static const Scheme dirt = {Rgb(118, 88, 58), Rgb(206, 180, 128), Rgb(70, 56, 42), Rgb(152, 84, 56)};
    const float clods = TileFbm(x, y, 16, kTile, s.seed);
    Color c = Pick(dirt, s.variant) * (0.62f + 0.6f * clods);
    if (s.variant == 1)
        c = c * (0.9f + 0.15f * Triangle(static_cast<float>(y) / 8.0f + clods * 1.5f));
    for (std::uint32_t i = 0; i < 10; ++i) {
        const int px = 2 + static_cast<int>(Random01(s.seed, i, 1) * 60.0f);
        const int py = 2 + static_cast<int>(Random01(s.seed, i, 2) * 60.0f);
        const int r = 2 + static_cast<int>(Random01(s.seed, i, 3) * 2.0f);
        const int dx = x - px;
        const int dy = y - py;
        if (dx * dx + dy * dy <= r * r) {
            const Color pebble = Rgb(132, 124, 112) * (0.8f + 0.35f * Random01(s.seed, i, 4));
            return pebble * (1.2f - 0.12f * static_cast<float>(dx + dy + r));
        }
    }
    return c;
}

Color WaterPixel(int x, int y, const TileStyle& s) {
    static const Scheme deep = {Rgb(20, 60, 120), Rgb(34, 70, 40), Rgb(120, 20, 8), Rgb(20, 96, 118)};
    static const Scheme bright = {Rgb(140, 200, 240), Rgb(130, 170, 90), Rgb(255, 210, 60),
                                  Rgb(170, 240, 240)};
    const int shift = (s.frame % kWaterFrames) * (kTile / kWaterFrames);
    const int sx = x + shift;
    const int sy = y + shift;
    const CellDistances d = TileCells(sx, sy, 16, kTile, s.seed);
    const float swell = TileFbm(sx, sy, 32, kTile, s.seed + 1);
    const float edge = Clamp01(1.0f - (d.second - d.nearest) / 3.5f);
    const Color body = Pick(deep, s.variant) * (0.75f + 0.5f * swell);
    return Mix(body, Pick(bright, s.variant), edge * edge * 0.85f);
}

} // namespace pw::art
