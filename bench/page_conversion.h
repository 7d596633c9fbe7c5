// The yardstick of the window benchmarks: every page of a level converted for display once, into one
// 5-6-5 picture, as showing each page in turn converts it.
#pragma once

#include <QImage>

#include "pictures/pixel_helpers.h"
#include "level/page_access.h"
#include "level/trlevel.h"

namespace pw::bench {

inline void ConvertEveryPage(const pw::Ttrlevel& level, QImage& pages) {
    const QSize size(256, 256 * level.num_pages);
    if (pages.size() != size)
        pages = QImage(size, QImage::Format_RGB16);
    if (pw::ShowsPalettedPages(level.kind))
        FillFromPages8(pages, level.pages8, BuildLevelPalette(level.palette));
    else
        FillFromPages16(pages, level.pages16);
}

} // namespace pw::bench
