#include "bench/legacy_palette_matcher.h"

#include <algorithm>
#include <limits>

namespace pw::bench {

LegacyPaletteMatcher::LegacyPaletteMatcher(std::span<const std::uint8_t, 768> palette) {
    std::copy(palette.begin(), palette.end(), palette_.begin());
    for (std::size_t i = 0; i < 256; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            // As displayed: the component times 4, kept in 8 bits.
            colours_[i][c] = static_cast<std::uint8_t>(palette[3 * i + c] * 4);
    for (std::uint32_t slot = 0; slot < kFrontSize; ++slot) {
        std::uint32_t stranger = 0;
        while (FrontSlot(stranger) == slot)
            ++stranger;
        front_keys_[slot] = stranger;
    }
}

std::uint8_t LegacyPaletteMatcher::Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    int best = 0;
    int best_distance = std::numeric_limits<int>::max();
    for (int i = 0; i < 256; ++i) {
        const auto& c = colours_[static_cast<std::size_t>(i)];
        const int dr = c[0] - red;
        const int dg = c[1] - green;
        const int db = c[2] - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) { // strict: the lowest index wins a tie
            best = i;
            best_distance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void LegacyPaletteMatcher::MatchPixels(const std::uint32_t* argb, std::size_t count, std::uint8_t* out) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = MatchArgb(argb[i]);
}

bool LegacyPaletteMatcher::SamePalette(std::span<const std::uint8_t, 768> palette) const {
    return std::equal(palette.begin(), palette.end(), palette_.begin());
}

std::uint8_t LegacyPaletteMatcher::Remember(std::uint32_t rgb) {
    auto& block = blocks_[BlockOf(rgb)];
    if (!block)
        block = std::make_unique<std::uint16_t[]>(4096); // zeroed: nothing known yet
    const std::uint8_t index = Nearest(static_cast<std::uint8_t>(rgb >> 16),
                                       static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb));
    block[SlotOf(rgb)] = static_cast<std::uint16_t>(index + 1);
    return index;
}

} // namespace pw::bench
