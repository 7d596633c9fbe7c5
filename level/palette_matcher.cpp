#include "level/palette_matcher.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "level/cie_lab.h"
#include "level/pixel_conversion.h"

namespace pw {

PaletteMatcher::PaletteMatcher(std::span<const std::uint8_t, 768> palette, ColourDistance distance)
    : distance_(distance) {
    std::copy(palette.begin(), palette.end(), palette_.begin());
    for (std::size_t i = 0; i < 256; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            // As displayed: the component times 4, kept in 8 bits.
            shown_[i][c] = ShownPaletteComponent(palette[3 * i + c]);
    coordinates_[0][0] = 1e6f; // a squared distance of 1e12: farther than any colour
    for (std::size_t i = 1; i < kEntries; ++i) {
        const auto& c = shown_[i];
        const auto at = Coordinates(c[0], c[1], c[2]);
        for (std::size_t axis = 0; axis < 3; ++axis)
            coordinates_[axis][i] = at[axis];
    }
    for (std::uint32_t slot = 0; slot < kFrontSize; ++slot) {
        std::uint32_t stranger = 0;
        while (FrontSlot(stranger) == slot)
            ++stranger;
        front_keys_[slot] = stranger;
    }
}

std::array<float, 3> PaletteMatcher::Coordinates(std::uint8_t red, std::uint8_t green,
                                                 std::uint8_t blue) const {
    if (distance_ == ColourDistance::cie_lab) {
        const CieLab lab = LabFromRgb(red, green, blue);
        return {lab.l, lab.a, lab.b};
    }
    static const float kRed = std::sqrt(0.299f), kGreen = std::sqrt(0.587f), kBlue = std::sqrt(0.114f);
    return {kRed * red, kGreen * green, kBlue * blue};
}

std::uint8_t PaletteMatcher::Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    const auto at = Coordinates(red, green, blue);
    const auto& [xs, ys, zs] = coordinates_;
    // Two simple passes the compiler turns into vector code: the distances and their minimum, then the
    // first entry at that minimum, so the lowest index wins a tie.
    alignas(32) std::array<float, kEntries> distance;
    float smallest = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i < kEntries; ++i) {
        const float dx = xs[i] - at[0], dy = ys[i] - at[1], dz = zs[i] - at[2];
        distance[i] = dx * dx + dy * dy + dz * dz;
        smallest = distance[i] < smallest ? distance[i] : smallest;
    }
    std::size_t best = 1;
    while (distance[best] != smallest)
        ++best;
    return static_cast<std::uint8_t>(best);
}

void PaletteMatcher::MatchPixels(const std::uint32_t* argb, std::size_t count, std::uint8_t* out) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = MatchArgb(argb[i]);
}

bool PaletteMatcher::SamePalette(std::span<const std::uint8_t, 768> palette) const {
    return std::equal(palette.begin(), palette.end(), palette_.begin());
}

std::uint8_t PaletteMatcher::Remember(std::uint32_t rgb) {
    auto& block = blocks_[BlockOf(rgb)];
    if (!block)
        block = std::make_unique<std::uint8_t[]>(4096); // zeroed: nothing known yet
    const std::uint8_t index = Nearest(static_cast<std::uint8_t>(rgb >> 16),
                                       static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb));
    block[SlotOf(rgb)] = index;
    return index;
}

} // namespace pw
