// One page of a level as the RGBA picture the page files hold, and such a picture taken back into the
// page. The picture is the page as the program shows it, transparent (alpha 0) exactly where the shown
// depth is: index 0 of 8-bit pages in kinds 1 and 2, word 0 of 16-bit pages in the others. Kinds 6 and 7
// can also give their 32-bit pages as stored.
// Taking a picture back changes only the pixels that differ from what the page gives, so a picture
// written and read back unedited leaves the page's bytes exactly as they were.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "level/layout.h"
#include "level/trlevel.h"

namespace pw {

class PaletteMatcher;

enum class PagePictureDepth {
    shown,   // as the program shows the page
    stored32 // the 32-bit page as stored, alpha included (kinds 6 and 7)
};

// 256 x 256 colours 0xAARRGGBB, rows from the top; empty when the level lacks the page or the depth.
std::vector<std::uint32_t> PagePictureArgb(const Ttrlevel& level, int page, PagePictureDepth depth);

// Two picture pixels show the same: both fully transparent, or equal in every channel.
inline bool SamePicturePixel(std::uint32_t a, std::uint32_t b) {
    return a == b || ((a >> 24) == 0 && (b >> 24) == 0);
}

struct PagePictureInput {
    std::span<const std::uint32_t> argb; // 256 x 256 colours 0xAARRGGBB, rows from the top
    bool has_alpha = true;               // the picture carries alpha; without it alpha is ignored
    bool dither = false;                 // error diffusion into 8-bit pages
};

// Which pixels of a picture differ from the page's own picture (the closer of the shown and the stored
// 32-bit one): worked out once, before the page is touched, then applied.
struct PagePictureChange {
    std::vector<std::uint8_t> differs; // one flag per pixel, rows from the top; empty when none differs
    bool Empty() const { return differs.empty(); }
};

// The change `input` makes to page `page`; empty when the level lacks the page, the input is not a
// whole page, or no pixel differs.
PagePictureChange PagePictureChangeOf(const Ttrlevel& level, int page, const PagePictureInput& input);

// Writes the pixels `change` marks into page `page` by the rules of WritePagePixels; the others keep
// their bytes in every depth. `matcher` as for WritePagePixels.
void ApplyPagePictureChange(Ttrlevel& level, int page, const PagePictureInput& input,
                            const PagePictureChange& change, PaletteMatcher* matcher);

// Both in one: returns whether any pixel differed.
bool TakePagePicture(Ttrlevel& level, int page, const PagePictureInput& input, PaletteMatcher* matcher);

} // namespace pw
