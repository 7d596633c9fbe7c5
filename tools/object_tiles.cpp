#include "tools/object_tiles.h"

#include <algorithm>
#include <cmath>

#include "tools/material_pixels.h"

namespace pw::art {
namespace {

constexpr int kTile = 64;

Color Iron(float shade) {
    return Rgb(64, 60, 58) * shade;
}

bool InDisc(int x, int y, int cx, int cy, int r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// Distance from (x, y) to the segment (ax, ay)-(bx, by).
float SegmentDistance(int x, int y, int ax, int ay, int bx, int by) {
    const float px = static_cast<float>(x - ax);
    const float py = static_cast<float>(y - ay);
    const float dx = static_cast<float>(bx - ax);
    const float dy = static_cast<float>(by - ay);
    const float t = Clamp01((px * dx + py * dy) / (dx * dx + dy * dy));
    const float ex = px - t * dx;
    const float ey = py - t * dy;
    return std::sqrt(ex * ex + ey * ey);
}

// Light from the upper left on a round bar: brighter towards its left edge across its width.
float CylinderShade(float across) {
    return 1.25f - 0.55f * across * across - 0.2f * across;
}

Color DoorLeafPixel(int x, int y, const TileStyle& s) {
    if (s.variant % 2 == 1) {
        const TileStyle metal{0, s.seed, 0};
        const float rib = (x - 6) % 13 == 0 ? 1.3f : ((x - 6) % 13 == 1 ? 0.75f : 1.0f);
        return MetalPixel(x, y, metal) * rib;
    }
    return WoodPixel(x + 2, y, TileStyle{s.variant / 2 * 3, s.seed, 0});
}

} // namespace

void PaintDoor(TileView& t, const TileStyle& s) {
    const TileStyle stone{s.variant / 2 == 0 ? 0 : 2, s.seed + 1, 0};
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            if (x < 6 || x > 57 || y < 6) {
                t.Set(x, y, StonePixel(x, y, stone));
                continue;
            }
            Color c = DoorLeafPixel(x, y, s);
            const bool band = (y >= 14 && y <= 18) || (y >= 46 && y <= 50);
            if (band)
                c = Iron(y == 14 || y == 46 ? 1.4f : 1.0f) *
                    (0.9f + 0.2f * Random01(static_cast<unsigned>(x), 3));
            if (band && (x - 10) % 10 == 0 && (y == 16 || y == 48))
                c = Rgb(170, 170, 170);
            if (x < 8 || y < 8)
                c = c * 0.55f; // the leaf lies in the shadow of the frame
            t.Set(x, y, c);
        }
    }
    for (int y = 28; y <= 40; ++y) {
        for (int x = 40; x <= 52; ++x) {
            const int d2 = (x - 46) * (x - 46) + (y - 34) * (y - 34);
            if (d2 >= 12 && d2 <= 25)
                t.Set(x, y, Iron(y < 34 ? 1.6f : 0.9f));
        }
    }
    t.Set(46, 42, Rgb(12, 10, 8));
    t.Set(46, 43, Rgb(12, 10, 8));
}

void PaintCrate(TileView& t, const TileStyle& s) {
    const TileStyle frame_wood{s.variant == 1 ? 2 : 0, s.seed, 0};
    const TileStyle inner_wood{s.variant == 1 ? 2 : 0, s.seed + 17, 0};
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const bool frame = x < 7 || x > 56 || y < 7 || y > 56;
            const int diagonal = x - (63 - y);
            Color c;
            if (frame)
                c = WoodPixel(x, y, frame_wood, y < 7 || y > 56) * BevelShade(std::min(x, y) % 57, 1, 7, 7);
            else if (std::abs(diagonal) <= 5)
                c = WoodPixel(x + y, y, frame_wood) * (diagonal == -5 ? 1.2f : (diagonal == 5 ? 0.6f : 1.0f));
            else
                c = WoodPixel(x, y, inner_wood, true) * 0.78f;
            if (x == 0 || y == 0)
                c = c * 1.15f;
            if (x == 63 || y == 63 || x == 7 || y == 7)
                c = c * 0.6f;
            t.Set(x, y, c);
        }
    }
    for (const int nx : {3, 32, 60}) {
        for (const int ny : {3, 60}) {
            t.Set(nx, ny, Rgb(180, 180, 186));
            t.Set(ny, nx, Rgb(180, 180, 186));
        }
    }
}

namespace {

// The lamp's outline, top to bottom: chain, cap, glass body, base, finial.
enum class LampPart { none, chain, metal, glass };

LampPart LampPartAt(int x, int y) {
    if (y < 10)
        return (x == 31 || x == 32) && y % 3 != 2 ? LampPart::chain : LampPart::none;
    if (y < 16) {
        const int half = 4 + (y - 10) * 9 / 6;
        return std::abs(x * 2 - 63) <= half * 2 ? LampPart::metal : LampPart::none;
    }
    if (y < 48) {
        if (x < 22 || x > 41)
            return LampPart::none;
        const bool bar = x <= 23 || x >= 40 || x == 31 || x == 32 || y <= 17 || y >= 46;
        return bar ? LampPart::metal : LampPart::glass;
    }
    if (y < 54)
        return x >= 19 && x <= 44 ? LampPart::metal : LampPart::none;
    if (y < 59)
        return x >= 27 && x <= 36 ? LampPart::metal : LampPart::none;
    return LampPart::none;
}

} // namespace

void PaintLamp(TileView& t, const TileStyle& s) {
    const Color flame_core = s.variant % 2 == 0 ? Rgb(255, 246, 196) : Rgb(220, 250, 255);
    const Color flame_edge = s.variant % 2 == 0 ? Rgb(226, 126, 30) : Rgb(40, 120, 200);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float across = (static_cast<float>(x) - 31.5f) / 22.0f;
            switch (LampPartAt(x, y)) {
            case LampPart::none:
                t.SetTransparent(x, y);
                break;
            case LampPart::chain:
                t.Set(x, y, Iron(x == 31 ? 1.5f : 0.9f));
                break;
            case LampPart::metal:
                t.Set(
                    x, y,
                    Iron(CylinderShade(across)) *
                        (0.9f + 0.2f * Random01(static_cast<unsigned>(x), static_cast<unsigned>(y), s.seed)));
                break;
            case LampPart::glass: {
                const float dx = static_cast<float>(x) - 31.5f;
                const float dy = static_cast<float>(y) - 34.0f;
                const float d = Clamp01(std::sqrt(dx * dx + dy * dy * 0.6f) / 13.0f);
                t.Set(x, y, Mix(flame_core, flame_edge, d));
                break;
            }
            }
        }
    }
}

void PaintGrate(TileView& t, const TileStyle& s) {
    const TileStyle metal{s.variant % 2 == 0 ? 2 : 0, s.seed, 0};
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const bool border = x < 3 || x > 60 || y < 3 || y > 60;
            const int bx = (x + 8) % 16;
            const int by = (y + 8) % 16;
            const bool vertical = bx >= 6 && bx <= 9;
            const bool horizontal = by >= 6 && by <= 9;
            if (!border && !vertical && !horizontal) {
                t.SetTransparent(x, y);
                continue;
            }
            float shade = BevelShade(x, y, kTile, kTile, 3);
            if (!border && vertical && !horizontal)
                shade = CylinderShade((static_cast<float>(bx) - 7.5f) / 2.0f);
            else if (!border && horizontal && !vertical)
                shade = CylinderShade((static_cast<float>(by) - 7.5f) / 2.0f);
            else if (!border)
                shade =
                    (bx == 7 || bx == 8) && (by == 7 || by == 8) ? 1.45f : 1.1f; // a rivet on each crossing
            t.Set(x, y, MetalPixel(x, y, metal) * 0.8f * shade);
        }
    }
}

void PaintBarrel(TileView& t, const TileStyle& s) {
    const TileStyle wood{s.variant == 1 ? 3 : 0, s.seed, 0};
    for (int y = 0; y < kTile; ++y) {
        const float v = (static_cast<float>(y) - 31.5f) / 28.0f;
        const float half = 18.0f + 6.0f * (1.0f - v * v);
        for (int x = 0; x < kTile; ++x) {
            const float u = (static_cast<float>(x) - 31.5f) / half;
            if (y < 4 || y > 59 || std::fabs(u) > 1.0f) {
                t.SetTransparent(x, y);
                continue;
            }
            const float staves = (u + 1.0f) * 3.5f;
            const bool seam = staves - std::floor(staves) < 0.1f;
            const bool hoop = (y >= 10 && y <= 13) || (y >= 50 && y <= 53);
            Color c =
                hoop ? Iron(y == 10 || y == 50 ? 1.5f : 1.0f) : WoodPixel(x, y, wood) * (seam ? 0.5f : 1.0f);
            if (y <= 5 || y >= 58)
                c = c * 0.7f;
            t.Set(x, y, c * CylinderShade(u));
        }
    }
}

void PaintLever(TileView& t, const TileStyle& s) {
    const TileStyle plate{s.variant % 2 == 0 ? 0 : 3, s.seed, 0};
    const Color knob = s.variant < 2 ? Rgb(200, 34, 30) : Rgb(220, 180, 40);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            Color c = MetalPixel(x, y, plate);
            if (x >= 27 && x <= 36 && y >= 12 && y <= 52)
                c = Rgb(20, 20, 22) * (x == 27 || y == 12 ? 0.5f : 1.0f); // the slot the lever moves in
            const float rod = SegmentDistance(x, y, 32, 42, 45, 17);
            if (rod <= 2.0f)
                c = Iron(1.3f - 0.25f * rod);
            if (InDisc(x, y, 45, 17, 5))
                c = knob * (InDisc(x, y, 43, 15, 2) ? 1.45f : (y > 18 ? 0.75f : 1.0f));
            t.Set(x, y, c);
        }
    }
}

} // namespace pw::art
