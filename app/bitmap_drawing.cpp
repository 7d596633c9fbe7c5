#include "app/bitmap_drawing.h"

#include <limits>

namespace {

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

void Plot(QImage& picture, int x, int y, uint value) {
    if (x >= 0 && y >= 0 && x < picture.width() && y < picture.height())
        picture.setPixel(x, y, value);
}

} // namespace

int NearestPaletteIndex(const QImage& picture, QRgb colour) {
    const QList<QRgb> table = picture.colorTable();
    int best = 0;
    int best_distance = std::numeric_limits<int>::max();
    for (int i = 0; i < table.size(); ++i) {
        const int distance = Distance(table[i], colour);
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

void FrameRect(QImage& picture, const TRect& rect, QRgb colour) {
    if (picture.isNull() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    const uint value = picture.format() == QImage::Format_Indexed8
                           ? static_cast<uint>(NearestPaletteIndex(picture, colour))
                           : colour;
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    for (int x = rect.Left; x <= right; ++x) {
        Plot(picture, x, rect.Top, value);
        Plot(picture, x, bottom, value);
    }
    for (int y = rect.Top; y <= bottom; ++y) {
        Plot(picture, rect.Left, y, value);
        Plot(picture, right, y, value);
    }
}
