// Deterministic noise for the procedural textures: integer hashing and tileable value noise.
// Only integer arithmetic and plain float operations are used, so every machine draws the same pixels.
#pragma once

#include <cmath>
#include <cstdint>

namespace pw::art {

inline std::uint32_t Hash32(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Uniform value in [0, 1) from the hash of up to three integers.
inline float Random01(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0) {
    return static_cast<float>(Hash32(a, b, c) >> 8) * (1.0f / 16777216.0f);
}

inline float Lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
inline float SmoothStep01(float t) {
    return t * t * (3.0f - 2.0f * t);
}
inline float Clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

// Value noise on a lattice of cell_x by cell_y pixels that repeats every period_x by period_y pixels
// (each period a multiple of its cell), so a tile drawn with its own size as period has no seam.
inline float TileNoise(int x, int y, int cell_x, int cell_y, int period_x, int period_y, std::uint32_t seed) {
    const int cells_x = period_x / cell_x;
    const int cells_y = period_y / cell_y;
    const auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    const auto floor_div = [](int v, int n) { return (v - ((v % n) + n) % n) / n; };
    const int cx = wrap(floor_div(x, cell_x), cells_x);
    const int cy = wrap(floor_div(y, cell_y), cells_y);
    const float fx = SmoothStep01(static_cast<float>(wrap(x, cell_x)) / static_cast<float>(cell_x));
    const float fy = SmoothStep01(static_cast<float>(wrap(y, cell_y)) / static_cast<float>(cell_y));
    const auto corner = [&](int ix, int iy) {
        return Random01(static_cast<std::uint32_t>(ix % cells_x), static_cast<std::uint32_t>(iy % cells_y),
                        seed);
    };
    const float top = Lerp(corner(cx, cy), corner(cx + 1, cy), fx);
    const float bottom = Lerp(corner(cx, cy + 1), corner(cx + 1, cy + 1), fx);
    return Lerp(top, bottom, fy);
}

inline float TileNoise(int x, int y, int cell, int period, std::uint32_t seed) {
    return TileNoise(x, y, cell, cell, period, period, seed);
}

// Sum of octaves from a coarse lattice down to 2-pixel cells, normalised to [0, 1). The lattice keeps
// the aspect of coarse_x by coarse_y, which draws streaks (wood grain, brushed metal) when they differ.
inline float TileFbm(int x, int y, int coarse_x, int coarse_y, int period, std::uint32_t seed) {
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int cx = coarse_x, cy = coarse_y; cx >= 1 && cy >= 1 && (cx >= 2 || cy >= 2); cx /= 2, cy /= 2) {
        const auto octave = Hash32(seed, static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy));
        sum += weight * TileNoise(x, y, cx, cy, period, period, octave);
        total += weight;
        weight *= 0.5f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

inline float TileFbm(int x, int y, int coarsest_cell, int period, std::uint32_t seed) {
    return TileFbm(x, y, coarsest_cell, coarsest_cell, period, seed);
}

// Distances from a pixel to the two nearest feature points of a cell pattern (stones, cracks, ripples).
struct CellDistances {
    float nearest = 1e9f;
    float second = 1e9f;
    std::uint32_t cell = 0; // index of the nearest point's cell
};

// One jittered feature point per cell of `cell` pixels, repeating every `period` pixels; x and y are
// taken modulo the period first.
inline CellDistances TileCells(int x, int y, int cell, int period, std::uint32_t seed) {
    const int cells = period / cell;
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    CellDistances d;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int ix = x / cell + dx;
            const int iy = y / cell + dy;
            const auto wx = static_cast<std::uint32_t>((ix + cells) % cells);
            const auto wy = static_cast<std::uint32_t>((iy + cells) % cells);
            const float fc = static_cast<float>(cell);
            const float px = static_cast<float>(ix) * fc + fc * (0.15f + 0.7f * Random01(wx, wy, seed));
            const float py = static_cast<float>(iy) * fc + fc * (0.15f + 0.7f * Random01(wy, wx, ~seed));
            const float ex = px - (static_cast<float>(x) + 0.5f);
            const float ey = py - (static_cast<float>(y) + 0.5f);
            const float dist = std::sqrt(ex * ex + ey * ey);
            if (dist < d.nearest) {
                d.second = d.nearest;
                d.nearest = dist;
                d.cell = wy * static_cast<std::uint32_t>(cells) + wx;
            } else if (dist < d.second) {
                d.second = dist;
            }
        }
    }
    return d;
}

} // namespace pw::art
