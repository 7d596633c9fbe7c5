#include "texture_windows/texture_preview.h"

#include <algorithm>

#include <QPainter>

#include "level/object_textures.h"
#include "texture_windows/animated_preview.h"

namespace {

// Whether a vertex lies on the far side (right or bottom) of the box on one axis: by its pixel where the
// box has extent, else by its side byte.
bool OnFarSide(int pixel, int low, int high, std::uint8_t side) {
    return low < high ? pixel == high : side == 255;
}

// The corner a vertex stands for inside the preview: the far side is the last column or row.
QPoint Corner(const pw::tvertex_coords& v, const pw::TextureBox& box, int width, int height) {
    return {OnFarSide(v.xpixel, box.min_x, box.max_x, v.xcoord) ? width - 1 : 1,
            OnFarSide(v.ypixel, box.min_y, box.max_y, v.ycoord) ? height - 1 : 1};
}

} // namespace

QImage BuildTexturePreview(const pw::Ttrlevel& level, const pw::tobjtexture& texture) {
    const pw::TextureBox box = pw::TextureBounds(texture);
    const int width = box.max_x - box.min_x + 1;
    const int height = box.max_y - box.min_y + 1;
    QImage preview = PageRegion(level, pw::TexturePage(texture), QRect(box.min_x, box.min_y, width, height))
                         .convertToFormat(QImage::Format_RGB888);

    // The outline is drawn where the vertices lie in the page and mirrored with the pixels, so that it
    // stays on the pixels the texture covers.
    if (pw::IsTriangleTexture(texture)) {
        const auto& v = texture.vertices;
        const QPoint corners[3] = {Corner(v[0], box, width, height), Corner(v[1], box, width, height),
                                   Corner(v[2], box, width, height)};
        QPainter painter(&preview);
        painter.setPen(QPen(QColor(255, 255, 255), 1));
        painter.drawPolygon(corners, 3);
    }
    const pw::MirrorState mirror = pw::ReadMirrorState(texture);
    return preview.mirrored(mirror.horizontal, mirror.vertical);
}

QImage ScalePreviewToFit(const QImage& preview, QSize box) {
    if (preview.isNull())
        return preview;
    const int factor = std::min(box.width() / preview.width(), box.height() / preview.height());
    if (factor <= 1)
        return preview;
    return preview.scaled(preview.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
