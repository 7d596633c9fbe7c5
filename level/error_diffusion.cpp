#include "level/error_diffusion.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "level/palette_matcher.h"

namespace pw {

namespace {

// Errors are kept in sixteenths, per channel, for one row and the next; one spare pixel on each side
// takes what would leave the rectangle, and is never read.
using Errors = std::vector<std::array<int, 3>>;

int Channel(std::uint32_t argb, int channel) {
    return static_cast<int>((argb >> (16 - 8 * channel)) & 0xFFu);
}

} // namespace

std::vector<std::uint8_t> DiffuseToPalette(std::span<const std::uint32_t> argb,
                                           std::span<const std::uint8_t> transparent, int width, int height,
                                           std::span<const std::uint8_t, 768> palette) {
    const auto w = static_cast<std::size_t>(std::max(width, 0));
    const auto h = static_cast<std::size_t>(std::max(height, 0));
    std::vector<std::uint8_t> out(w * h, 0);
    if (argb.size() < w * h || transparent.size() < w * h)
        return out;
    PaletteMatcher matcher(palette, ColourDistance::weighted_rgb);
    Errors row(w + 2), next(w + 2);
    for (std::size_t y = 0; y < h; ++y) {
        const bool forward = y % 2 == 0;
        const std::ptrdiff_t step = forward ? 1 : -1;
        for (std::size_t i = 0; i < w; ++i) {
            const std::size_t x = forward ? i : w - 1 - i;
            const std::size_t at = y * w + x;
            if (transparent[at])
                continue; // index 0; what reached it is dropped, and it passes nothing on
            std::array<int, 3> want{};
            for (int c = 0; c < 3; ++c)
                // Rounded to the nearest level; >> floors negative sixteenths too.
                want[c] = std::clamp(Channel(argb[at], c) + ((row[x + 1][c] + 8) >> 4), 0, 255);
            const std::uint8_t index =
                matcher.Match(static_cast<std::uint8_t>(want[0]), static_cast<std::uint8_t>(want[1]),
                              static_cast<std::uint8_t>(want[2]));
            out[at] = index;
            const auto& shown = matcher.Shown(index);
            const std::size_t ahead = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(x + 1) + step);
            const std::size_t behind = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(x + 1) - step);
            for (int c = 0; c < 3; ++c) {
                const int error = want[c] - shown[static_cast<std::size_t>(c)];
                row[ahead][c] += 7 * error;
                next[behind][c] += 3 * error;
                next[x + 1][c] += 5 * error;
                next[ahead][c] += error;
            }
        }
        std::swap(row, next);
        std::fill(next.begin(), next.end(), std::array<int, 3>{});
    }
    return out;
}

} // namespace pw
