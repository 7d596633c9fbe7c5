// Matches 24-bit colours to the opaque entries of a level palette. Entry 0 is the transparent colour of
// 8-bit pages, so a match is always one of entries 1 to 255: the one that looks nearest against the
// palette as displayed (each 6-bit component times 4), the lowest index on ties. Nearest is the smallest
// CIE ΔE76, or for error diffusion the smallest luma-weighted RGB distance (0.299, 0.587, 0.114 on the
// squared differences): diffusion spreads differences of R, G and B, and it keeps the average colour
// only when each choice is the nearest in a space where those differences add up, which a per-channel
// weighting keeps and Lab does not.
// Answers are cached twice: a small direct-mapped table that stays in the processor's first-level cache,
// in front of blocks allocated on first use that remember every colour seen. A page of pixels costs
// about one lookup per pixel once its colours have been seen.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace pw {

enum class ColourDistance { cie_lab, weighted_rgb };

class PaletteMatcher {
public:
    explicit PaletteMatcher(std::span<const std::uint8_t, 768> palette,
                            ColourDistance distance = ColourDistance::cie_lab);

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

    // The colour entry `index` shows: red, green, blue, each component times 4 kept in 8 bits.
    const std::array<std::uint8_t, 3>& Shown(std::uint8_t index) const { return shown_[index]; }

    bool SamePalette(std::span<const std::uint8_t, 768> palette) const;
    std::span<const std::uint8_t, 768> Palette() const { return palette_; }

private:
    static constexpr std::uint32_t kFrontSize = 4096;
    static constexpr std::size_t kEntries = 256;
    // 12 well-mixed bits of the colour.
    static std::uint32_t FrontSlot(std::uint32_t rgb) { return (rgb * 2654435761u) >> 20; }

    std::uint8_t Lookup(std::uint32_t rgb) {
        const auto& block = blocks_[BlockOf(rgb)];
        if (block) {
            const std::uint8_t known = block[SlotOf(rgb)];
            if (known != 0)
                return known;
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
    // A colour's place in the space where the Euclidean distance is the chosen difference.
    std::array<float, 3> Coordinates(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    ColourDistance distance_;
    std::array<std::uint8_t, 768> palette_{};
    std::array<std::array<std::uint8_t, 3>, 256> shown_{};
    // The entries' coordinates, one array per axis so the search runs in vector lanes; entry 0 sits far
    // outside the colours so that it is never the nearest.
    alignas(32) std::array<std::array<float, kEntries>, 3> coordinates_{};
    // Per slot: a colour and its index. An empty slot holds a colour that does not hash to it.
    std::array<std::uint32_t, kFrontSize> front_keys_{};
    std::array<std::uint8_t, kFrontSize> front_values_{};
    // Per block: 4096 entries of the matched index, 0 while unknown (no colour matches entry 0).
    std::array<std::unique_ptr<std::uint8_t[]>, 4096> blocks_;
};

} // namespace pw
