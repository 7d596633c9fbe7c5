#include "tools/page_encoding.h"

#include <stdexcept>

namespace pw::art {
namespace {

constexpr std::size_t kPixels = static_cast<std::size_t>(PageCanvas::kSize) * PageCanvas::kSize;

void RequireSize(std::span<std::uint8_t> out, std::size_t bytes_per_pixel) {
    if (out.size() < kPixels * bytes_per_pixel)
        throw std::length_error("page buffer too small");
}

} // namespace

std::uint16_t Word1555(Rgba8 p) {
    if (p.a == 0)
        return 0;
    return static_cast<std::uint16_t>(0x8000u | (p.r >> 3u) << 10u | (p.g >> 3u) << 5u | (p.b >> 3u));
}

void EncodePage8(const PageCanvas& page, PaletteQuantizer& palette, std::span<std::uint8_t> out) {
    RequireSize(out, 1);
    for (std::size_t i = 0; i < kPixels; ++i)
        out[i] = palette.IndexOf(page.pixels()[i]);
}

void EncodePage16(const PageCanvas& page, std::span<std::uint8_t> out) {
    RequireSize(out, 2);
    for (std::size_t i = 0; i < kPixels; ++i) {
        const std::uint16_t w = Word1555(page.pixels()[i]);
        out[2 * i] = static_cast<std::uint8_t>(w);
        out[2 * i + 1] = static_cast<std::uint8_t>(w >> 8);
    }
}

void EncodePage32(const PageCanvas& page, std::span<std::uint8_t> out) {
    RequireSize(out, 4);
    for (std::size_t i = 0; i < kPixels; ++i) {
        const Rgba8 p = page.pixels()[i];
        out[4 * i] = p.b;
        out[4 * i + 1] = p.g;
        out[4 * i + 2] = p.r;
        out[4 * i + 3] = p.a;
    }
}

} // namespace pw::art
