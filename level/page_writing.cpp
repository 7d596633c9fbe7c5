#include "level/page_writing.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "level/error_diffusion.h"
#include "level/layout.h"
#include "level/page_access.h"
#include "level/palette_matcher.h"

namespace pw {

namespace {

using layout::kPageSide;

// The part of the source that lands inside the page.
struct Span2d {
    int x0, y0, x1, y1; // source coordinates, x1 and y1 exclusive
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
};

Span2d Clip(int left, int top, const PixelSource& source) {
    return {std::max(0, -left), std::max(0, -top), std::min(source.width, kPageSide - left),
            std::min(source.height, kPageSide - top)};
}

bool HasStored(std::span<const std::uint8_t> stored, const PixelSource& source, std::size_t bytes) {
    return !stored.empty() && stored.size() >= source.argb.size() * bytes;
}

std::uint16_t Stored16(const PixelSource& source, std::size_t at) {
    return static_cast<std::uint16_t>(source.stored16[2 * at] | source.stored16[2 * at + 1] << 8);
}

// What the source holds and which of its pixels are transparent in the level written to.
struct SourceRules {
    SourceRules(const Ttrlevel& level, const PixelSource& source, bool carries8, bool carries32)
        : source(source), stored32(HasStored(source.stored32, source, 4)),
          stored16(HasStored(source.stored16, source, 2)), stored8(HasStored(source.stored8, source, 1)),
          follow32(stored32 && carries32), carries8(carries8) {
        // The colour "8 bits transparent color:" shows: entry 0, each stored byte times 4. A stored byte
        // above 63 shows a number no picture colour reaches.
        if (carries8 && level.palette[0] < 64 && level.palette[1] < 64 && level.palette[2] < 64)
            transparent_rgb = std::uint32_t{level.palette[0]} << 18 | std::uint32_t{level.palette[1]} << 10 |
                              std::uint32_t{level.palette[2]} << 2;
    }

    bool FromPicture() const { return !stored32 && !stored16 && !stored8; }

    bool Transparent(std::size_t at) const {
        if (follow32 || (stored32 && !stored16))
            return source.stored32[4 * at + 3] == 0;
        if (stored16)
            return Stored16(source, at) == 0;
        if (stored8)
            return source.stored8[at] == 0;
        const std::uint32_t c = source.argb[at];
        if (source.has_alpha)
            return (c >> 24) == 0;
        if (carries8)
            return transparent_rgb && (c & 0xFFFFFFu) == *transparent_rgb;
        return LevelWordFromRgb(c) == 0;
    }

    const PixelSource& source;
    bool stored32, stored16, stored8;
    bool follow32; // the level carries 32-bit pages too: its 16-bit words follow the stored pixels
    bool carries8;
    std::optional<std::uint32_t> transparent_rgb;
};

template <typename Write> void ForEachPixel(int left, int top, const PixelSource& source, Write write) {
    const Span2d clip = Clip(left, top, source);
    for (int y = clip.y0; y < clip.y1; ++y) {
        for (int x = clip.x0; x < clip.x1; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width) +
                                   static_cast<std::size_t>(x);
            const std::size_t out =
                static_cast<std::size_t>(top + y) * kPageSide + static_cast<std::size_t>(left + x);
            write(at, out);
        }
    }
}

// The written part of a picture, diffused as one rectangle.
void Write8Dithered(std::span<std::uint8_t> page, int left, int top, const SourceRules& rules,
                    const PaletteMatcher& matcher) {
    const PixelSource& source = rules.source;
    const Span2d clip = Clip(left, top, source);
    if (clip.Width() <= 0 || clip.Height() <= 0)
        return;
    const std::size_t count =
        static_cast<std::size_t>(clip.Width()) * static_cast<std::size_t>(clip.Height());
    std::vector<std::uint32_t> colours;
    std::vector<std::uint8_t> transparent;
    colours.reserve(count);
    transparent.reserve(count);
    ForEachPixel(left, top, source, [&](std::size_t at, std::size_t) {
        colours.push_back(source.argb[at]);
        transparent.push_back(rules.Transparent(at) ? 1 : 0);
    });
    const std::vector<std::uint8_t> indices =
        DiffuseToPalette(colours, transparent, clip.Width(), clip.Height(), matcher.Palette());
    std::size_t next = 0;
    ForEachPixel(left, top, source, [&](std::size_t, std::size_t out) { page[out] = indices[next++]; });
}

void Write8(std::span<std::uint8_t> page, int left, int top, const SourceRules& rules,
            PaletteMatcher& matcher) {
    const PixelSource& source = rules.source;
    if (source.dither && rules.FromPicture())
        return Write8Dithered(page, left, top, rules, matcher);
    const bool same_palette =
        rules.stored8 && source.palette8.size() >= 768 && matcher.SamePalette(source.palette8.first<768>());
    ForEachPixel(left, top, source, [&](std::size_t at, std::size_t out) {
        if (rules.Transparent(at))
            page[out] = 0;
        else if (same_palette && source.stored8[at] != 0)
            page[out] = source.stored8[at];
        else
            page[out] = matcher.MatchArgb(source.argb[at]);
    });
}

void Write16(std::span<std::uint8_t> page, int left, int top, const SourceRules& rules) {
    const PixelSource& source = rules.source;
    ForEachPixel(left, top, source, [&](std::size_t at, std::size_t out) {
        std::uint16_t word = 0;
        if (rules.follow32)
            word = LevelWordFromPixel32(source.stored32.data() + 4 * at);
        else if (rules.stored16)
            word = Stored16(source, at);
        else if (!rules.Transparent(at))
            word = static_cast<std::uint16_t>(0x8000u | LevelWordFromRgb(source.argb[at]));
        page[2 * out] = static_cast<std::uint8_t>(word);
        page[2 * out + 1] = static_cast<std::uint8_t>(word >> 8);
    });
}

void Write32(std::span<std::uint8_t> page, int left, int top, const SourceRules& rules) {
    const PixelSource& source = rules.source;
    ForEachPixel(left, top, source, [&](std::size_t at, std::size_t out) {
        std::uint8_t* px = page.data() + 4 * out;
        if (rules.stored32) {
            std::copy_n(source.stored32.data() + 4 * at, 4, px);
            return;
        }
        if (rules.Transparent(at)) {
            std::fill_n(px, 4, std::uint8_t{0});
            return;
        }
        const std::uint32_t c = source.argb[at];
        px[0] = static_cast<std::uint8_t>(c);
        px[1] = static_cast<std::uint8_t>(c >> 8);
        px[2] = static_cast<std::uint8_t>(c >> 16);
        px[3] = source.has_alpha && rules.FromPicture() ? static_cast<std::uint8_t>(c >> 24) : 0xFF;
    });
}

} // namespace

void WritePagePixels(Ttrlevel& level, int page, int left, int top, const PixelSource& source,
                     PaletteMatcher* matcher) {
    if (source.width <= 0 || source.height <= 0 ||
        source.argb.size() < static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height))
        return;
    const auto p8 = PageSpan(level, PageDepth::bits8, page);
    const auto p16 = PageSpan(level, PageDepth::bits16, page);
    const auto p32 = PageSpan(level, PageDepth::bits32, page);
    const SourceRules rules(level, source, CarriesDepth(level.kind, PageDepth::bits8), !p32.empty());
    if (!p8.empty()) {
        if (matcher) {
            Write8(p8, left, top, rules, *matcher);
        } else {
            PaletteMatcher own(level.palette);
            Write8(p8, left, top, rules, own);
        }
    }
    if (!p16.empty())
        Write16(p16, left, top, rules);
    if (!p32.empty())
        Write32(p32, left, top, rules);
}

} // namespace pw
