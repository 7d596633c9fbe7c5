#include "textures/texture_preview.h"

#include <QPainter>

#include "level/object_textures.h"

namespace {

// The corner a vertex stands for inside the preview: the far side (255) is the last column or row.
QPoint Corner(const pw::tvertex_coords& v, int width, int height) {
    return {v.xcoord == 255 ? width - 1 : 1, v.ycoord == 255 ? height - 1 : 1};
}

} // namespace

QImage BuildTexturePreview(const QImage& atlas, const pw::tobjtexture& texture) {
    const pw::TextureBox box = pw::TextureBounds(texture);
    const int width = box.max_x - box.min_x + 1;
    const int height = box.max_y - box.min_y + 1;
    const int top = pw::TexturePage(texture) * 256;
    QImage preview =
        atlas.copy(box.min_x, top + box.min_y, width, height).convertToFormat(QImage::Format_RGB888);

    const pw::MirrorState mirror = pw::ReadMirrorState(texture);
    preview = preview.mirrored(mirror.horizontal, mirror.vertical);

    if (pw::IsTriangleTexture(texture)) {
        const auto& v = texture.vertices;
        const QPoint corners[3] = {Corner(v[0], width, height), Corner(v[1], width, height),
                                   Corner(v[2], width, height)};
        QPainter painter(&preview);
        painter.setPen(QPen(QColor(255, 255, 255), 1));
        painter.drawPolygon(corners, 3);
    }
    return preview;
}
