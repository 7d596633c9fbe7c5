#include "app/about_picture.h"

#include <QPainter>

QImage AboutPicture() {
    QImage picture(256, 256, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QRect tile(column * 64, row * 64, 64, 64);
            const int hue = (row * 4 + column) * 360 / 16;
            QLinearGradient shade(tile.topLeft(), tile.bottomRight());
            shade.setColorAt(0, QColor::fromHsv(hue, 160, 230));
            shade.setColorAt(1, QColor::fromHsv(hue, 220, 90));
            painter.fillRect(tile, shade);
            // A few bricks on every tile, so the page reads as a texture.
            painter.setPen(QColor::fromHsv(hue, 200, 60));
            for (int y = 16; y < 64; y += 16)
                painter.drawLine(tile.left(), tile.top() + y, tile.right(), tile.top() + y);
            for (int y = 0; y < 64; y += 16) {
                const int shift = (y / 16) % 2 ? 16 : 0;
                for (int x = shift; x < 64; x += 32)
                    painter.drawLine(tile.left() + x, tile.top() + y, tile.left() + x, tile.top() + y + 15);
            }
        }
    }
    painter.setPen(Qt::white);
    painter.drawRect(64, 64, 63, 63);
    return picture;
}
