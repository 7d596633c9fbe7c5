#include "texture_windows/page_map_picture.h"

#include <cstdint>

#include "level/layout.h"
#include "level/pixel_conversion.h"

namespace {

using pw::layout::kPageSide;

QRgb FromWord(std::uint16_t word) {
    return word == 0 ? 0 : 0xFF000000u | pw::ShownWordColour(word);
}

std::uint16_t WordAt(std::span<const std::uint8_t> page, std::size_t i) {
    return static_cast<std::uint16_t>(page[2 * i] | (page[2 * i + 1] << 8));
}

QRgb FromPalette(const pw::Ttrlevel& level, std::uint8_t index) {
    const auto* p = level.palette.data() + 3 * index;
    return qRgb(pw::ShownPaletteComponent(p[0]), pw::ShownPaletteComponent(p[1]),
                pw::ShownPaletteComponent(p[2]));
}

} // namespace

QImage PageMapPicture(const pw::Ttrlevel& level, int page, pw::PageDepth depth) {
    const auto pixels = pw::PageSpan(level, depth, page);
    if (pixels.empty())
        return {};
    QImage picture(kPageSide, kPageSide, QImage::Format_ARGB32_Premultiplied);
    QList<QRgb> palette;
    if (depth == pw::PageDepth::bits8) {
        palette.append(0);
        for (int i = 1; i < 256; ++i)
            palette.append(FromPalette(level, static_cast<std::uint8_t>(i)));
    }
    for (int y = 0; y < kPageSide; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kPageSide; ++x) {
            const auto i = static_cast<std::size_t>(y * kPageSide + x);
            if (depth == pw::PageDepth::bits8) {
                row[x] = palette[pixels[i]];
            } else if (depth == pw::PageDepth::bits16) {
                row[x] = FromWord(WordAt(pixels, i));
            } else {
                const std::uint8_t* p = pixels.data() + 4 * i;
                row[x] = qPremultiply(qRgba(p[2], p[1], p[0], p[3]));
            }
        }
    }
    return picture;
}

QString PageMapPixelValue(const pw::Ttrlevel& level, int page, pw::PageDepth depth, int x, int y) {
    const auto pixels = pw::PageSpan(level, depth, page);
    if (pixels.empty() || x < 0 || y < 0 || x >= kPageSide || y >= kPageSide)
        return {};
    const auto i = static_cast<std::size_t>(y * kPageSide + x);
    if (depth == pw::PageDepth::bits8) {
        const QRgb c = FromPalette(level, pixels[i]);
        return QStringLiteral("[%1] %2,%3,%4").arg(pixels[i]).arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
    }
    if (depth == pw::PageDepth::bits16)
        return QStringLiteral("0x%1")
            .arg(WordAt(pixels, i), 4, 16, QLatin1Char('0'))
            .toUpper()
            .replace(QLatin1String("0X"), QLatin1String("0x"));
    const std::uint8_t* p = pixels.data() + 4 * i;
    return QStringLiteral("RGBA %1,%2,%3,%4").arg(p[2]).arg(p[1]).arg(p[0]).arg(p[3]);
}
