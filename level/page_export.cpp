#include "level/page_export.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>

#include "level/gauge.h"
#include "level/layout.h"
#include "level/page_access.h"
#include "level/pixel_conversion.h"

namespace pw {

namespace {

constexpr std::size_t kSide = layout::kPageWidth;
constexpr std::size_t kBmpHeaderBytes = 54;

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
        const std::size_t first = row * kSide;
        if (paletted_ && level_.pages8.size() >= first + kSide) {
            for (std::size_t x = 0; x < kSide; ++x, out += 3)
                Put<kBgr>(out, shown_.data() + 3 * std::size_t{level_.pages8[first + x]});
        } else if (!paletted_ && has_words_ && level_.pages16.size() >= 2 * (first + kSide)) {
            const std::uint8_t* in = level_.pages16.data() + 2 * first;
            const auto& low = kBgr ? low_bgr_ : low_rgb_;
            const auto& high = kBgr ? high_bgr_ : high_rgb_;
            std::size_t x = 0;
            if constexpr (std::endian::native == std::endian::little) {
                // Four-byte stores, each overwritten by the next pixel; the last pixel gets three.
                for (; x + 1 < kSide; ++x, out += 3, in += 2) {
                    const std::uint32_t c = low[in[0]] | high[in[1]];
                    std::memcpy(out, &c, 4);
                }
            }
            for (; x < kSide; ++x, out += 3, in += 2) {
                const std::uint32_t c = low[in[0]] | high[in[1]];
                out[0] = static_cast<std::uint8_t>(c);
                out[1] = static_cast<std::uint8_t>(c >> 8);
                out[2] = static_cast<std::uint8_t>(c >> 16);
            }
        } else {
            std::fill_n(out, 3 * kSide, std::uint8_t{0}); // no level pixels for this row
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

void PutU16(std::uint8_t* at, std::uint32_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t v) {
    PutU16(at, v);
    PutU16(at + 2, v >> 16);
}

void PutBmpHeader(std::uint8_t* h, std::uint32_t rows) {
    const std::uint32_t pixel_bytes = rows * 3 * kSide;
    h[0] = 'B';
    h[1] = 'M';
    PutU32(h + 2, static_cast<std::uint32_t>(kBmpHeaderBytes) + pixel_bytes);
    PutU32(h + 10, static_cast<std::uint32_t>(kBmpHeaderBytes)); // where the pixels start
    PutU32(h + 14, 40);                                          // BITMAPINFOHEADER
    PutU32(h + 18, static_cast<std::uint32_t>(kSide));
    PutU32(h + 22, rows); // positive: the rows are stored bottom up
    PutU16(h + 26, 1);    // planes
    PutU16(h + 28, 24);   // bits per pixel
    PutU32(h + 30, 0);    // uncompressed
    PutU32(h + 34, pixel_bytes);
    PutU32(h + 38, kExportDotsPerMeter);
    PutU32(h + 42, kExportDotsPerMeter);
}

std::size_t ExportRows(const Ttrlevel& level) {
    return level.num_pages > 0 ? static_cast<std::size_t>(level.num_pages) * kSide : 0;
}

} // namespace

std::vector<std::uint8_t> ExportPixelsRgb(const Ttrlevel& level) {
    const std::size_t rows = ExportRows(level);
    std::vector<std::uint8_t> rgb(rows * 3 * kSide);
    const RowConverter convert(level);
    for (std::size_t row = 0; row < rows; ++row)
        convert.Row<false>(row, rgb.data() + row * 3 * kSide);
    return rgb;
}

void ExportRows(const Ttrlevel& level, std::size_t first, std::size_t count, bool bgr, std::uint8_t* out) {
    const RowConverter convert(level);
    for (std::size_t row = first; row < first + count; ++row, out += 3 * kSide) {
        if (bgr)
            convert.Row<true>(row, out);
        else
            convert.Row<false>(row, out);
    }
}

LevelResult WriteExportBmp(const Ttrlevel& level, std::FILE* out, const std::string& name, Gauge* gauge) {
    const std::size_t rows = ExportRows(level);
    if (rows == 0)
        return {};
    constexpr std::size_t kRowsPerWrite = 64;
    std::vector<std::uint8_t> buffer(std::max(kBmpHeaderBytes, kRowsPerWrite * 3 * kSide));
    const auto put = [&](std::size_t bytes) { return std::fwrite(buffer.data(), 1, bytes, out) == bytes; };
    const auto failed = [&name] {
        return LevelResult{LevelStatus::file_error, "cannot write " + name + ": " + std::strerror(errno)};
    };
    PutBmpHeader(buffer.data(), static_cast<std::uint32_t>(rows));
    if (!put(kBmpHeaderBytes))
        return failed();
    const RowConverter convert(level);
    GaugeSteps steps(gauge);
    // Bottom up: the file's first row is the picture's last.
    for (std::size_t done = 0; done < rows;) {
        const std::size_t count = std::min(kRowsPerWrite, rows - done);
        for (std::size_t i = 0; i < count; ++i)
            convert.Row<true>(rows - 1 - (done + i), buffer.data() + i * 3 * kSide);
        if (!put(count * 3 * kSide))
            return failed();
        done += count;
        steps.Done(done, rows);
    }
    return {};
}

std::vector<std::uint8_t> ExportBmp(const Ttrlevel& level) {
    const std::size_t rows = ExportRows(level);
    if (rows == 0)
        return {};
    std::vector<std::uint8_t> file(kBmpHeaderBytes + rows * 3 * kSide, 0);
    PutBmpHeader(file.data(), static_cast<std::uint32_t>(rows));
    const RowConverter convert(level);
    std::uint8_t* pixels = file.data() + kBmpHeaderBytes;
    for (std::size_t row = 0; row < rows; ++row)
        convert.Row<true>(row, pixels + (rows - 1 - row) * 3 * kSide);
    return file;
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
