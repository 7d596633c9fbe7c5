// The palette matching the copies used before index 0 was kept for transparency, kept here only so
// that the picture-import benchmark can compare against it. Matches 24-bit colours to the entries of a level
// palette: the entry with the smallest squared RGB distance to the colour, the palette taken as displayed
// (each 6-bit component times 4), the lowest index on ties. Answers are cached twice: a small direct-mapped
// table that stays in the processor's first-level cache, in front of blocks allocated on first use that
// remember every colour seen. A page of pixels costs about one lookup per pixel once its colours have been
// seen.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace pw::bench {

class LegacyPaletteMatcher {
public:
    explicit LegacyPaletteMatcher(std::span<const std::uint8_t, 768> palette);

    std::uint8_t Match(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return MatchRgb((std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue);
    }
    // `rgb` is 0xRRGGBB; higher bits are ignored.
    std::uint8_t MatchRgb(std::uint32_t rgb) { return MatchArgb(rgb | 0xFF000000u); }
    // The cache is keyed by the whole word, alpha included, so that no masking is needed per pixel.
    std::uint8_t MatchArgb(std::uint32_t argb) {
        const std::uint32_t slot = FrontSlot(argb);
        if (front_keys_[slot] == argb)
            return front_values_[slot];
        const std::uint8_t index = Lookup(argb & 0xFFFFFFu);
        front_keys_[slot] = argb;
        front_values_[slot] = index;
        return index;
    }
    // Matches `count` colours 0xAARRGGBB (alpha ignored) into `out`.
    void MatchPixels(const std::uint32_t* argb, std::size_t count, std::uint8_t* out);
    // The same as Match, without the cache.
    std::uint8_t Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    bool SamePalette(std::span<const std::uint8_t, 768> palette) const;

private:
    static constexpr std::uint32_t kFrontSize = 4096;
    // 12 well-mixed bits of the colour.
    static std::uint32_t FrontSlot(std::uint32_t rgb) { return (rgb * 2654435761u) >> 20; }

    std::uint8_t Lookup(std::uint32_t rgb) {
        const auto& block = blocks_[BlockOf(rgb)];
        if (block) {
            const std::uint16_t known = block[SlotOf(rgb)];
            if (known != 0)
                return static_cast<std::uint8_t>(known - 1);
        }
        return Remember(rgb);
    }

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
    // Per slot: a colour and its index. An empty slot holds a colour that does not hash to it.
    std::array<std::uint32_t, kFrontSize> front_keys_{};
    std::array<std::uint8_t, kFrontSize> front_values_{};
    // Per block: 4096 entries of index + 1, 0 while unknown.
    std::array<std::unique_ptr<std::uint16_t[]>, 4096> blocks_;
};

} // namespace pw::bench
