#include "texture_windows/animated_preview.h"

#include <algorithm>

#include "level/layout.h"
#include "level/object_textures.h"
#include "level/page_access.h"
#include "pictures/pixel_helpers.h"

QRect AnimatedFrameRect(const pw::tobjtexture& texture) {
    const auto& v = texture.vertices;
    const int x = v[2].xpixel == v[0].xpixel ? v[1].xpixel : v[2].xpixel;
    const int y = v[2].ypixel == v[0].ypixel ? v[1].ypixel : v[2].ypixel;
    return QRect(QPoint(std::min<int>(v[0].xpixel, x), std::min<int>(v[0].ypixel, y)),
                 QPoint(std::max<int>(v[0].xpixel, x), std::max<int>(v[0].ypixel, y)));
}

QImage PageRegion(const pw::Ttrlevel& level, int page, const QRect& rect) {
    using pw::layout::kPageSide;
    const QRect inside = rect & QRect(0, 0, kPageSide, kPageSide);
    if (inside.isEmpty())
        return {};
    // The rows of the rectangle, whole, converted as the atlas converts them.
    QImage rows(kPageSide, inside.height(), QImage::Format_RGB16);
    rows.fill(0);
    const bool paletted = pw::ShowsPalettedPages(level.kind);
    const auto pixels = pw::PageSpan(level, paletted ? pw::PageDepth::bits8 : pw::PageDepth::bits16, page);
    if (!pixels.empty()) {
        const std::size_t row_bytes = paletted ? kPageSide : 2 * kPageSide;
        const auto part = pixels.subspan(static_cast<std::size_t>(inside.top()) * row_bytes,
                                         static_cast<std::size_t>(inside.height()) * row_bytes);
        if (paletted)
            FillFromPages8(rows, part, BuildLevelPalette(level.palette));
        else
            FillFromPages16(rows, part);
    }
    return rows.copy(inside.left(), 0, inside.width(), inside.height());
}
