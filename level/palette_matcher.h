// Matches 24-bit colours to the entries of a level palette: the entry with the smallest squared RGB
// distance to the colour, the palette taken as displayed (each 6-bit component times 4), the lowest
// index on ties. Answers are cached in blocks allocated on first use, so a page of pixels costs about
// one lookup per pixel once its colours have been seen.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace pw {

class PaletteMatcher {
public:
    explicit PaletteMatcher(std::span<const std::uint8_t, 768> palette);

    std::uint8_t Match(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        const std::uint32_t rgb = (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
        auto& block = blocks_[BlockOf(rgb)];
        if (block) {
            const std::uint16_t known = block[SlotOf(rgb)];
            if (known != 0)
                return static_cast<std::uint8_t>(known - 1);
        }
        return Remember(rgb);
    }
    // The same as Match, without the cache.
    std::uint8_t Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    bool SamePalette(std::span<const std::uint8_t, 768> palette) const;

private:
    // The high four bits of each component choose a block of 4096 colours.
    static std::uint32_t BlockOf(std::uint32_t rgb) {
        return ((rgb >> 12) & 0xF00u) | ((rgb >> 8) & 0xF0u) | ((rgb >> 4) & 0xFu);
    }
    static std::uint32_t SlotOf(std::uint32_t rgb) {
        return ((rgb >> 8) & 0xF00u) | ((rgb >> 4) & 0xF0u) | (rgb & 0xFu);
    }
    std::uint8_t Remember(std::uint32_t rgb);

    std::array<std::uint8_t, 768> palette_{};
    std::array<std::array<int, 3>, 256> colours_{};
    // Per block: 4096 entries of index + 1, 0 while unknown.
    std::array<std::unique_ptr<std::uint16_t[]>, 4096> blocks_;
};

} // namespace pw
