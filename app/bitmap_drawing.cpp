#include "app/bitmap_drawing.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "level/palette_matcher.h"

namespace {

void Plot(QImage& picture, int x, int y, uint value) {
    if (x >= 0 && y >= 0 && x < picture.width() && y < picture.height())
        picture.setPixel(x, y, value);
}

} // namespace

uint PenValue(const QImage& picture, QRgb colour) {
    if (picture.format() != QImage::Format_Indexed8)
        return colour;
    // The table is the level palette as shown (each 6-bit component times 4), so dividing gives it back.
    std::array<std::uint8_t, 768> palette{};
    const QList<QRgb> table = picture.colorTable();
    for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i) {
        palette[3 * i] = static_cast<std::uint8_t>(qRed(table[i]) / 4);
        palette[3 * i + 1] = static_cast<std::uint8_t>(qGreen(table[i]) / 4);
        palette[3 * i + 2] = static_cast<std::uint8_t>(qBlue(table[i]) / 4);
    }
    return pw::PaletteMatcher(palette).Nearest(static_cast<std::uint8_t>(qRed(colour)),
                                               static_cast<std::uint8_t>(qGreen(colour)),
                                               static_cast<std::uint8_t>(qBlue(colour)));
}

void FrameRect(QImage& picture, const TRect& rect, QRgb colour) {
    if (picture.isNull() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    const uint value = PenValue(picture, colour);
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
