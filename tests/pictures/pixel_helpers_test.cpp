// The pixel helpers between level blocks and bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "pictures/pixel_helpers.h"

TEST(PixelHelpers, SixteenBitPictureWordsWidenToFiveSixFive) {
    QImage bitmap(2, 1, QImage::Format_RGB16);
    auto* words = reinterpret_cast<std::uint16_t*>(bitmap.scanLine(0));
    words[0] = 0xFFFF;
    words[1] = 0x801F;
    Expand1555To565(bitmap);
    EXPECT_EQ(words[0], 0xFFDF);
    EXPECT_EQ(words[1], 0x001F);
}

TEST(PixelHelpers, LevelPaletteTimesFourKeptInEightBits) {
    std::array<std::uint8_t, 768> palette{};
    palette[0] = 63;
    palette[1] = 0;
    palette[2] = 1;
    palette[3] = 64; // out of range: wraps
    const QList<QRgb> colours = BuildLevelPalette(palette);
    ASSERT_EQ(colours.size(), 256);
    EXPECT_EQ(colours[0], qRgb(252, 0, 4));
    EXPECT_EQ(qRed(colours[1]), 0);
}

TEST(PixelHelpers, CopiesRowsFromTheTop) {
    QImage bitmap(4, 3, QImage::Format_RGB888); // 12 bytes a row
    bitmap.fill(Qt::black);
    std::vector<std::uint8_t> block(36);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i + 1);
    CopyPixelsToBitmap(bitmap, block.size(), block.data());
    for (int y = 0; y < 3; ++y)
        EXPECT_TRUE(std::equal(bitmap.constScanLine(y), bitmap.constScanLine(y) + 12, block.begin() + 12 * y))
            << y;
}

TEST(PixelHelpers, ShortAndOversizedCounts) {
    QImage bitmap(4, 2, QImage::Format_Indexed8);
    bitmap.fill(0);
    const std::vector<std::uint8_t> block(64, 7);
    CopyPixelsToBitmap(bitmap, 3, block.data()); // less than a row: only the start of row 0
    EXPECT_EQ(bitmap.pixelIndex(2, 0), 7);
    EXPECT_EQ(bitmap.pixelIndex(3, 0), 0);
    CopyPixelsToBitmap(bitmap, block.size(), block.data()); // more rows than the bitmap has
    EXPECT_EQ(bitmap.pixelIndex(3, 1), 7);
}

TEST(PixelHelpers, AtlasFromEightBitPagesThroughThePalette) {
    QImage atlas(256, 2, QImage::Format_RGB16);
    atlas.fill(0x1234);
    QList<QRgb> palette(256, qRgb(0, 0, 0));
    palette[5] = qRgb(252, 8, 4);
    std::vector<std::uint8_t> pages(256, 5); // one row only: the second stays as it was
    FillFromPages8(atlas, pages, palette);
    EXPECT_EQ(reinterpret_cast<const std::uint16_t*>(atlas.constScanLine(0))[0], (31 << 11) | (2 << 5) | 0);
    EXPECT_EQ(reinterpret_cast<const std::uint16_t*>(atlas.constScanLine(1))[0], 0x1234);
}
