// A 256-entry palette of 6-bit components fitted to a set of pages by median cut, and the mapping of
// colours to its entries. Entry 0 is kept for the transparent colour (black).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/texture_canvas.h"

namespace pw::art {

class PaletteQuantizer {
public:
    // Counts the opaque colours of a page; call for every page before Build.
    void AddPage(const PageCanvas& page);
    // Fits entries 1 to 255 to the colours counted so far.
    void Build();

    // The palette in file form: 256 entries of red, green, blue, each 0 to 63.
    const std::array<std::uint8_t, 768>& Palette() const { return palette_; }
    // The palette entry for a pixel: 0 for a transparent pixel, else the nearest of entries 1 to 255.
    std::uint8_t IndexOf(Rgba8 pixel);
    // The nearest of entries 1 to 255 to a colour given in 6-bit components.
    std::uint8_t Nearest(int r6, int g6, int b6) const;

private:
    static constexpr std::size_t kKeys = 64 * 64 * 64;

    std::vector<std::uint32_t> histogram_ = std::vector<std::uint32_t>(kKeys, 0);
    std::vector<std::int16_t> index_cache_ = std::vector<std::int16_t>(kKeys, -1);
    std::array<std::uint8_t, 768> palette_{};
    int entries_ = 1;
};

} // namespace pw::art
