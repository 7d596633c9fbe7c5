#include "localisation/language_bullets.h"

#include <QPainter>

namespace {

QImage Bullet(const QColor& colour, bool hatched) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(150), 1));
    painter.setBrush(hatched ? QBrush(colour, Qt::BDiagPattern) : QBrush(colour));
    painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    return image;
}

} // namespace

QList<QImage> TranslationBullets() {
    const QColor green(0, 160, 40);
    const QColor red(220, 30, 20);
    return {Bullet(green, false), Bullet(green, true), Bullet(red, false), Bullet(red, true)};
}
