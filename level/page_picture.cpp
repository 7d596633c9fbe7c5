#include "level/page_picture.h"

#include <algorithm>
#include <array>

#include "level/page_access.h"
#include "level/page_export.h"
#include "level/page_writing.h"

namespace pw {

namespace {

using layout::kPageWidth;
constexpr std::size_t kPixels = kPageWidth * kPageWidth;
constexpr PageDepth kDepths[] = {PageDepth::bits8, PageDepth::bits16, PageDepth::bits32};

bool HasPage(const Ttrlevel& level, int page) {
    return page >= 0 && page < level.num_pages;
}

std::vector<std::uint32_t> ShownArgb(const Ttrlevel& level, int page) {
    const bool paletted = ShowsPalettedPages(level.kind);
    const auto alpha_from = PageSpan(level, paletted ? PageDepth::bits8 : PageDepth::bits16, page);
    if (alpha_from.empty())
        return {};
    std::vector<std::uint8_t> rgb(3 * kPixels);
    ExportRows(level, static_cast<std::size_t>(page) * kPageWidth, kPageWidth, false, rgb.data());
    std::vector<std::uint32_t> argb(kPixels);
    for (std::size_t i = 0; i < kPixels; ++i) {
        const bool transparent =
            paletted ? alpha_from[i] == 0 : (alpha_from[2 * i] | alpha_from[2 * i + 1]) == 0;
        argb[i] = (transparent ? 0u : 0xFF000000u) | std::uint32_t{rgb[3 * i]} << 16 |
                  std::uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
    }
    return argb;
}

std::vector<std::uint32_t> StoredArgb(const Ttrlevel& level, int page) {
    const auto bgra = PageSpan(level, PageDepth::bits32, page);
    if (bgra.empty())
        return {};
    std::vector<std::uint32_t> argb(kPixels);
    for (std::size_t i = 0; i < kPixels; ++i) {
        const std::uint8_t* p = bgra.data() + 4 * i;
        argb[i] = std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
    }
    return argb;
}

std::uint32_t InputPixel(const PagePictureInput& input, std::size_t i) {
    return input.has_alpha ? input.argb[i] : input.argb[i] | 0xFF000000u;
}

std::size_t CountDifferences(const std::vector<std::uint32_t>& own, const PagePictureInput& input) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < kPixels; ++i)
        count += SamePicturePixel(own[i], InputPixel(input, i)) ? 0 : 1;
    return count;
}

// The page's own picture closest to `input`: the shown one, or the stored 32-bit one where the kind has
// it. Empty when the level lacks the page.
std::vector<std::uint32_t> ClosestOwnPicture(const Ttrlevel& level, int page, const PagePictureInput& input) {
    std::vector<std::uint32_t> shown = ShownArgb(level, page);
    const std::size_t differences = shown.empty() ? 0 : CountDifferences(shown, input);
    if (differences == 0 || !CarriesDepth(level.kind, PageDepth::bits32))
        return shown;
    std::vector<std::uint32_t> stored = StoredArgb(level, page);
    if (!stored.empty() && CountDifferences(stored, input) < differences)
        return stored;
    return shown;
}

} // namespace

std::vector<std::uint32_t> PagePictureArgb(const Ttrlevel& level, int page, PagePictureDepth depth) {
    if (!HasPage(level, page))
        return {};
    return depth == PagePictureDepth::shown ? ShownArgb(level, page) : StoredArgb(level, page);
}

PagePictureChange PagePictureChangeOf(const Ttrlevel& level, int page, const PagePictureInput& input) {
    PagePictureChange change;
    if (!HasPage(level, page) || input.argb.size() != kPixels)
        return change;
    const std::vector<std::uint32_t> own = ClosestOwnPicture(level, page, input);
    if (own.empty())
        return change;
    change.differs.resize(kPixels);
    bool any = false;
    for (std::size_t i = 0; i < kPixels; ++i) {
        change.differs[i] = SamePicturePixel(own[i], InputPixel(input, i)) ? 0 : 1;
        any = any || change.differs[i] != 0;
    }
    if (!any)
        change.differs.clear();
    return change;
}

void ApplyPagePictureChange(Ttrlevel& level, int page, const PagePictureInput& input,
                            const PagePictureChange& change, PaletteMatcher* matcher) {
    if (change.differs.size() != kPixels || input.argb.size() != kPixels)
        return;
    // The whole page is written, then the pixels that did not differ get their bytes back, so that
    // error diffusion sees the picture whole and unedited pixels keep what they stored.
    std::array<Bytes, std::size(kDepths)> before;
    for (std::size_t d = 0; d < std::size(kDepths); ++d) {
        const auto bytes = PageSpan(level, kDepths[d], page);
        before[d].assign(bytes.begin(), bytes.end());
    }
    PixelSource source;
    source.width = layout::kPageSide;
    source.height = layout::kPageSide;
    source.argb = input.argb;
    source.has_alpha = input.has_alpha;
    source.dither = input.dither;
    WritePagePixels(level, page, 0, 0, source, matcher);
    for (std::size_t d = 0; d < std::size(kDepths); ++d) {
        const auto bytes = PageSpan(level, kDepths[d], page);
        if (bytes.empty() || before[d].size() != bytes.size())
            continue;
        const std::size_t bpp = bytes.size() / kPixels;
        for (std::size_t i = 0; i < kPixels; ++i) {
            if (change.differs[i] == 0)
                std::copy_n(before[d].begin() + static_cast<std::ptrdiff_t>(i * bpp), bpp,
                            bytes.begin() + static_cast<std::ptrdiff_t>(i * bpp));
        }
    }
}

bool TakePagePicture(Ttrlevel& level, int page, const PagePictureInput& input, PaletteMatcher* matcher) {
    const PagePictureChange change = PagePictureChangeOf(level, page, input);
    if (change.Empty())
        return false;
    ApplyPagePictureChange(level, page, input, change, matcher);
    return true;
}

} // namespace pw
