#include "level/page_export.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "level/layout.h"
#include "level/page_access.h"
#include "level/pixel_conversion.h"

namespace pw {

namespace {

using layout::kPageWidth;

// Converts rows of the stacked picture, in R, G, B order or in B, G, R order (as .bmp files hold them).
class RowConverter {
public:
    explicit RowConverter(const Ttrlevel& level)
        : level_(level), paletted_(ShowsPalettedPages(level.kind)),
          has_words_(CarriesDepth(level.kind, PageDepth::bits16)) {
        for (std::size_t i = 0; i < shown_.size(); ++i)
            shown_[i] = ShownPaletteComponent(level.palette[i]);
        if (!has_words_)
            return;
        // Each widened component takes its bits from one byte of the word, or ORs disjoint bits from
        // both (green), so a colour is the OR of one entry per byte. The opaque flag plays no part.
        for (unsigned byte = 0; byte < 256; ++byte) {
            low_rgb_[byte] = Packed<false>(byte);
            low_bgr_[byte] = Packed<true>(byte);
            high_rgb_[byte] = Packed<false>((byte & 0x7Fu) << 8);
            high_bgr_[byte] = Packed<true>((byte & 0x7Fu) << 8);
        }
    }

    template <bool kBgr> void Row(std::size_t row, std::uint8_t* out) const {
        const std::size_t first = row * kPageWidth;
        if (paletted_ && level_.pages8.size() >= first + kPageWidth) {
            for (std::size_t x = 0; x < kPageWidth; ++x, out += 3)
                Put<kBgr>(out, shown_.data() + 3 * std::size_t{level_.pages8[first + x]});
        } else if (!paletted_ && has_words_ && level_.pages16.size() >= 2 * (first + kPageWidth)) {
            const std::uint8_t* in = level_.pages16.data() + 2 * first;
            const auto& low = kBgr ? low_bgr_ : low_rgb_;
            const auto& high = kBgr ? high_bgr_ : high_rgb_;
            std::size_t x = 0;
            if constexpr (std::endian::native == std::endian::little) {
                // Four-byte stores, each overwritten by the next pixel; the last pixel gets three.
                for (; x + 1 < kPageWidth; ++x, out += 3, in += 2) {
                    const std::uint32_t c = low[in[0]] | high[in[1]];
                    std::memcpy(out, &c, 4);
                }
            }
            for (; x < kPageWidth; ++x, out += 3, in += 2) {
                const std::uint32_t c = low[in[0]] | high[in[1]];
                out[0] = static_cast<std::uint8_t>(c);
                out[1] = static_cast<std::uint8_t>(c >> 8);
                out[2] = static_cast<std::uint8_t>(c >> 16);
            }
        } else {
            std::fill_n(out, 3 * kPageWidth, std::uint8_t{0}); // no level pixels for this row
        }
    }

private:
    template <bool kBgr> static void Put(std::uint8_t* out, const std::uint8_t* rgb) {
        out[0] = rgb[kBgr ? 2 : 0];
        out[1] = rgb[1];
        out[2] = rgb[kBgr ? 0 : 2];
    }
    template <bool kBgr> static void Word(unsigned word, std::uint8_t* out) {
        const std::uint32_t colour = ShownWordColour(static_cast<std::uint16_t>(word));
        const std::uint8_t rgb[3] = {static_cast<std::uint8_t>(colour >> 16),
                                     static_cast<std::uint8_t>(colour >> 8),
                                     static_cast<std::uint8_t>(colour)};
        Put<kBgr>(out, rgb);
    }
    // The three bytes of a word's colour in the low 24 bits, in file order.
    template <bool kBgr> static std::uint32_t Packed(unsigned word) {
        std::uint8_t c[3];
        Word<kBgr>(word, c);
        return c[0] | (c[1] << 8) | (std::uint32_t{c[2]} << 16);
    }

    const Ttrlevel& level_;
    bool paletted_;
    bool has_words_;
    std::array<std::uint8_t, 768> shown_{};
    // Per byte of a level word: its part of the colour, R, G, B or B, G, R.
    std::array<std::uint32_t, 256> low_rgb_{}, high_rgb_{}, low_bgr_{}, high_bgr_{};
};

} // namespace

void ExportRows(const Ttrlevel& level, std::size_t first, std::size_t count, bool bgr, std::uint8_t* out) {
    const RowConverter convert(level);
    for (std::size_t row = first; row < first + count; ++row, out += 3 * kPageWidth) {
        if (bgr)
            convert.Row<true>(row, out);
        else
            convert.Row<false>(row, out);
    }
}

} // namespace pw
