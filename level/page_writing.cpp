#include "level/page_writing.h"

#include <algorithm>
#include <cstddef>

#include "level/layout.h"
#include "level/page_access.h"
#include "level/palette_matcher.h"

namespace pw {

namespace {

constexpr int kSide = static_cast<int>(layout::kPageWidth);

// The part of the source that lands inside the page.
struct Span2d {
    int x0, y0, x1, y1; // source coordinates, x1 and y1 exclusive
};

Span2d Clip(int left, int top, const PixelSource& source) {
    return {std::max(0, -left), std::max(0, -top), std::min(source.width, kSide - left),
            std::min(source.height, kSide - top)};
}

bool Transparent(const PixelSource& source, std::uint32_t argb) {
    return source.has_alpha && (argb >> 24) == 0;
}

template <typename Write> void ForEachPixel(int left, int top, const PixelSource& source, Write write) {
    const Span2d clip = Clip(left, top, source);
    for (int y = clip.y0; y < clip.y1; ++y) {
        for (int x = clip.x0; x < clip.x1; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width) +
                                   static_cast<std::size_t>(x);
            const std::size_t out =
                static_cast<std::size_t>(top + y) * kSide + static_cast<std::size_t>(left + x);
            write(at, out);
        }
    }
}

void Write8(std::span<std::uint8_t> page, int left, int top, const PixelSource& source,
            PaletteMatcher& matcher) {
    ForEachPixel(left, top, source, [&](std::size_t at, std::size_t out) {
        const std::uint32_t c = source.argb[at];
        page[out] = Transparent(source, c)
                        ? 0
                        : matcher.Match(static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                        static_cast<std::uint8_t>(c));
    });
}

bool HasStored(std::span<const std::uint8_t> stored, const PixelSource& source, std::size_t bytes) {
    return !stored.empty() && stored.size() >= source.argb.size() * bytes;
}

// `follow32`: the level also carries 32-bit pages, which the words must agree with.
void Write16(std::span<std::uint8_t> page, int left, int top, const PixelSource& source, bool follow32) {
    const bool stored32 = follow32 && HasStored(source.stored32, source, 4);
    const bool stored16 = HasStored(source.stored16, source, 2);
    ForEachPixel(left, top, source, [&](std::size_t at, std::size_t out) {
        const std::uint32_t c = source.argb[at];
        std::uint16_t word = 0;
        if (stored32)
            word = LevelWordFromPixel32(source.stored32.data() + 4 * at);
        else if (stored16)
            word = static_cast<std::uint16_t>(source.stored16[2 * at] | source.stored16[2 * at + 1] << 8);
        else if (!Transparent(source, c))
            word = static_cast<std::uint16_t>(LevelWordFromRgb(c) | (source.has_alpha ? 0x8000u : 0u));
        page[2 * out] = static_cast<std::uint8_t>(word);
        page[2 * out + 1] = static_cast<std::uint8_t>(word >> 8);
    });
}

void Write32(std::span<std::uint8_t> page, int left, int top, const PixelSource& source) {
    const bool stored32 = HasStored(source.stored32, source, 4);
    const bool stored16 = HasStored(source.stored16, source, 2);
    ForEachPixel(left, top, source, [&](std::size_t at, std::size_t out) {
        std::uint8_t* px = page.data() + 4 * out;
        if (stored32) {
            std::copy_n(source.stored32.data() + 4 * at, 4, px);
            return;
        }
        const std::uint32_t c = source.argb[at];
        bool clear = source.has_alpha ? (c >> 24) == 0 : LevelWordFromRgb(c) == 0;
        if (stored16)
            clear = (source.stored16[2 * at] | source.stored16[2 * at + 1]) == 0;
        if (clear) {
            std::fill_n(px, 4, std::uint8_t{0});
            return;
        }
        px[0] = static_cast<std::uint8_t>(c);
        px[1] = static_cast<std::uint8_t>(c >> 8);
        px[2] = static_cast<std::uint8_t>(c >> 16);
        px[3] = source.has_alpha ? static_cast<std::uint8_t>(c >> 24) : 0xFF;
    });
}

} // namespace

void WritePagePixels(Ttrlevel& level, int page, int left, int top, const PixelSource& source,
                     PaletteMatcher* matcher) {
    if (source.width <= 0 || source.height <= 0 ||
        source.argb.size() < static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height))
        return;
    if (auto p8 = PageSpan(level, PageDepth::bits8, page); !p8.empty()) {
        if (matcher) {
            Write8(p8, left, top, source, *matcher);
        } else {
            PaletteMatcher own(level.palette);
            Write8(p8, left, top, source, own);
        }
    }
    const bool carries32 = !PageSpan(level, PageDepth::bits32, page).empty();
    if (auto p16 = PageSpan(level, PageDepth::bits16, page); !p16.empty())
        Write16(p16, left, top, source, carries32);
    if (auto p32 = PageSpan(level, PageDepth::bits32, page); !p32.empty())
        Write32(p32, left, top, source);
}

} // namespace pw
