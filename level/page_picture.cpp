#include "level/page_picture.h"

#include <algorithm>
#include <array>

#include "level/page_access.h"
#include "level/page_export.h"
#include "level/page_writing.h"

namespace pw {

namespace {

constexpr std::size_t kSide = kPagePictureSide;
constexpr std::size_t kPixels = kSide * kSide;
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
    ExportRows(level, static_cast<std::size_t>(page) * kSide, kSide, false, rgb.data());
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
// it. Empty when the level lacks the page or the input is not a whole page.
std::vector<std::uint32_t> ClosestOwnPicture(const Ttrlevel& level, int page, const PagePictureInput& input,
                                             std::size_t& differences) {
    differences = 0;
    if (!HasPage(level, page) || input.argb.size() != kPixels)
        return {};
    std::vector<std::uint32_t> best = ShownArgb(level, page);
    differences = best.empty() ? 0 : CountDifferences(best, input);
    if (differences == 0 || !CarriesDepth(level.kind, PageDepth::bits32))
        return best;
    std::vector<std::uint32_t> stored = StoredArgb(level, page);
    if (stored.empty())
        return best;
    const std::size_t stored_differences = CountDifferences(stored, input);
    if (best.empty() || stored_differences < differences) {
        differences = stored_differences;
        return stored;
    }
    return best;
}

} // namespace

std::vector<std::uint32_t> PagePictureArgb(const Ttrlevel& level, int page, PagePictureDepth depth) {
    if (!HasPage(level, page))
        return {};
    return depth == PagePictureDepth::shown ? ShownArgb(level, page) : StoredArgb(level, page);
}

bool PagePictureDiffers(const Ttrlevel& level, int page, const PagePictureInput& input) {
    std::size_t differences = 0;
    return !ClosestOwnPicture(level, page, input, differences).empty() && differences > 0;
}

bool TakePagePicture(Ttrlevel& level, int page, const PagePictureInput& input, PaletteMatcher* matcher) {
    std::size_t differences = 0;
    const std::vector<std::uint32_t> own = ClosestOwnPicture(level, page, input, differences);
    if (own.empty() || differences == 0)
        return false;
    // The whole page is written, then the pixels that did not differ get their bytes back, so that
    // error diffusion sees the picture whole and unedited pixels keep what they stored.
    std::array<Bytes, std::size(kDepths)> before;
    for (std::size_t d = 0; d < std::size(kDepths); ++d) {
        const auto bytes = PageSpan(level, kDepths[d], page);
        before[d].assign(bytes.begin(), bytes.end());
    }
    PixelSource source;
    source.width = kPagePictureSide;
    source.height = kPagePictureSide;
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
            if (SamePicturePixel(own[i], InputPixel(input, i)))
                std::copy_n(before[d].begin() + static_cast<std::ptrdiff_t>(i * bpp), bpp,
                            bytes.begin() + static_cast<std::ptrdiff_t>(i * bpp));
        }
    }
    return true;
}

} // namespace pw
