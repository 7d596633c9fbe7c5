// A 256 x 256 page of colour pixels that the procedural tiles are drawn into, and the 64 x 64 window
// through which one tile is drawn. Transparent pixels have alpha 0.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/procedural_noise.h"

namespace pw::art {

struct Rgba8 {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba8&) const = default;
};

// A colour with components in [0, 1] while it is being computed.
struct Color {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Color operator*(Color c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}
inline Color operator+(Color a, Color b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Color Mix(Color a, Color b, float t) {
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)};
}
inline Color Rgb(int r, int g, int b) {
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f};
}

inline std::uint8_t ToByte(float v) {
    return static_cast<std::uint8_t>(Clamp01(v) * 255.0f + 0.5f);
}

class PageCanvas {
public:
    static constexpr int kSize = 256;

    PageCanvas() : pixels_(static_cast<std::size_t>(kSize) * kSize) {}

    Rgba8& at(int x, int y) {
        return pixels_[static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x)];
    }
    const Rgba8& at(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x)];
    }
    const std::vector<Rgba8>& pixels() const { return pixels_; }

private:
    std::vector<Rgba8> pixels_;
};

// One 64 x 64 tile of a page; coordinates outside the tile are ignored when drawing.
class TileView {
public:
    static constexpr int kSize = 64;

    TileView(PageCanvas& canvas, int left, int top) : canvas_(canvas), left_(left), top_(top) {}

    void Set(int x, int y, Color c) {
        if (Inside(x, y))
            canvas_.at(left_ + x, top_ + y) = {ToByte(c.r), ToByte(c.g), ToByte(c.b), 255};
    }
    void SetTransparent(int x, int y) {
        if (Inside(x, y))
            canvas_.at(left_ + x, top_ + y) = {};
    }
    Color Get(int x, int y) const {
        if (!Inside(x, y))
            return {};
        const Rgba8 p = canvas_.at(left_ + x, top_ + y);
        return Rgb(p.r, p.g, p.b);
    }
    // Multiplies an opaque pixel's colour by k (shading on top of a drawn material).
    void Shade(int x, int y, float k) {
        if (Inside(x, y) && canvas_.at(left_ + x, top_ + y).a != 0)
            Set(x, y, Get(x, y) * k);
    }

private:
    static bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize; }

    PageCanvas& canvas_;
    int left_;
    int top_;
};

} // namespace pw::art
