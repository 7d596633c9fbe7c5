#include "pictures/pixel_helpers.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "level/pixel_conversion.h"

namespace {

// 8 bits to 5-6-5 by dropping the low bits, as Qt converts.
std::uint16_t Rgb565(QRgb colour) {
    return static_cast<std::uint16_t>(((qRed(colour) >> 3) << 11) | ((qGreen(colour) >> 2) << 5) |
                                      (qBlue(colour) >> 3));
}

std::size_t RowBytes(const QImage& bitmap) {
    return std::min<std::size_t>(static_cast<std::size_t>(BytesPerPixel(bitmap)) * bitmap.width(),
                                 static_cast<std::size_t>(bitmap.bytesPerLine()));
}

} // namespace

QList<QRgb> BuildLevelPalette(std::span<const std::uint8_t, 768> palette) {
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i) {
        const auto component = [&](int c) { return pw::ShownPaletteComponent(palette[3 * i + c]); };
        colours[i] = qRgb(component(0), component(1), component(2));
    }
    return colours;
}

int BytesPerPixel(const QImage& bitmap) {
    switch (bitmap.depth()) {
    case 8:
        return 1;
    case 24:
        return 3;
    case 32:
        return 4;
    default:
        return 2;
    }
}

void CopyPixelsToBitmap(QImage& bitmap, std::size_t count, const std::uint8_t* block) {
    const std::size_t row_bytes = RowBytes(bitmap);
    if (bitmap.isNull() || row_bytes == 0)
        return;
    if (count < row_bytes) {
        std::memcpy(bitmap.scanLine(0), block, count);
        return;
    }
    const std::size_t rows = std::min<std::size_t>(count / row_bytes, bitmap.height());
    for (std::size_t y = 0; y < rows; ++y)
        std::memcpy(bitmap.scanLine(static_cast<int>(y)), block + y * row_bytes, row_bytes);
}

void Expand1555To565(QImage& bitmap) {
    if (bitmap.depth() != 16)
        return;
    for (int y = 0; y < bitmap.height(); ++y)
        pw::Expand1555To565(reinterpret_cast<std::uint16_t*>(bitmap.scanLine(y)), bitmap.width());
}

void FillFromPages8(QImage& bitmap, std::span<const std::uint8_t> pages8, const QList<QRgb>& palette) {
    std::array<std::uint16_t, 256> words{};
    for (int i = 0; i < 256 && i < palette.size(); ++i)
        words[i] = Rgb565(palette[i]);
    const std::size_t width = bitmap.width();
    const std::size_t rows = std::min<std::size_t>(bitmap.height(), pages8.size() / width);
    for (std::size_t y = 0; y < rows; ++y) {
        auto* out = reinterpret_cast<std::uint16_t*>(bitmap.scanLine(static_cast<int>(y)));
        const std::uint8_t* in = pages8.data() + y * width;
        for (std::size_t x = 0; x < width; ++x)
            out[x] = words[in[x]];
    }
}

void FillFromPages16(QImage& bitmap, std::span<const std::uint8_t> pages16) {
    const std::size_t width = bitmap.width();
    const std::size_t rows = std::min<std::size_t>(bitmap.height(), pages16.size() / (2 * width));
    if (static_cast<std::size_t>(bitmap.bytesPerLine()) == 2 * width) {
        // Rows follow each other without padding: one pass over the whole block.
        pw::Expand1555To565Copy(pages16.data(), reinterpret_cast<std::uint16_t*>(bitmap.bits()),
                                rows * width);
        return;
    }
    for (std::size_t y = 0; y < rows; ++y)
        pw::Expand1555To565Copy(pages16.data() + y * 2 * width,
                                reinterpret_cast<std::uint16_t*>(bitmap.scanLine(static_cast<int>(y))),
                                width);
}

void FillShownWords(QImage& bitmap, std::span<const std::uint8_t> pages16) {
    if (bitmap.depth() != 32)
        return;
    const std::size_t width = bitmap.width();
    const std::size_t rows = std::min<std::size_t>(bitmap.height(), pages16.size() / (2 * width));
    for (std::size_t y = 0; y < rows; ++y) {
        auto* out = reinterpret_cast<QRgb*>(bitmap.scanLine(static_cast<int>(y)));
        const std::uint8_t* in = pages16.data() + y * 2 * width;
        for (std::size_t x = 0; x < width; ++x)
            out[x] = 0xFF000000u |
                     pw::ShownWordColour(static_cast<std::uint16_t>(in[2 * x] | (in[2 * x + 1] << 8)));
    }
}
