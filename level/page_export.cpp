#include "level/page_export.h"

#include <algorithm>
#include <array>

#include "level/layout.h"
#include "level/page_access.h"

namespace pw {

namespace {

void FromPalette(const Ttrlevel& level, std::size_t pixels, std::uint8_t* out) {
    std::array<std::uint8_t, 768> shown{};
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = static_cast<std::uint8_t>(level.palette[i] * 4);
    const std::size_t n = std::min(pixels, level.pages8.size());
    for (std::size_t i = 0; i < n; ++i)
        std::copy_n(shown.data() + 3 * std::size_t{level.pages8[i]}, 3, out + 3 * i);
}

void FromWords(const Ttrlevel& level, std::size_t pixels, std::uint8_t* out) {
    const std::size_t n = std::min(pixels, level.pages16.size() / 2);
    const std::uint8_t* in = level.pages16.data();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned word = in[2 * i] | (unsigned{in[2 * i + 1]} << 8);
        // The display drops green's lowest bit (5-6-5 from 1-5-5-5).
        out[3 * i] = Widen5((word >> 10) & 0x1Fu);
        out[3 * i + 1] = Widen6(((word >> 5) & 0x1Fu) << 1);
        out[3 * i + 2] = Widen5(word & 0x1Fu);
    }
}

} // namespace

std::vector<std::uint8_t> ExportPixelsRgb(const Ttrlevel& level) {
    if (level.num_pages <= 0)
        return {};
    const std::size_t pixels =
        static_cast<std::size_t>(level.num_pages) * layout::kPageWidth * layout::kPageWidth;
    std::vector<std::uint8_t> rgb(pixels * 3, 0);
    if (ShowsPalettedPages(level.kind))
        FromPalette(level, pixels, rgb.data());
    else if (CarriesDepth(level.kind, PageDepth::bits16))
        FromWords(level, pixels, rgb.data());
    return rgb;
}

std::vector<std::uint8_t> ExportPixels32(const Ttrlevel& level) {
    if (level.num_pages <= 0 || !CarriesDepth(level.kind, PageDepth::bits32))
        return {};
    const std::size_t bytes = static_cast<std::size_t>(level.num_pages) * layout::kPage32Bytes;
    std::vector<std::uint8_t> out(bytes, 0);
    std::copy_n(level.pages32.begin(), std::min(bytes, level.pages32.size()), out.begin());
    return out;
}

} // namespace pw
