// Moving level pages between the level's pixel blocks and bitmaps, and the display palette of 8-bit
// levels. Blocks are rows of 256 pixels from the top row down; 16-bit level words are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include <QImage>
#include <QList>

// 256 colours from the 768-byte level palette of 6-bit components: each times 4, kept in 8 bits.
QList<QRgb> BuildLevelPalette(std::span<const std::uint8_t, 768> palette);

// Bytes per pixel as the copies count them: 8 bits 1, 24 bits 3, 32 bits 4, any other depth 2.
int BytesPerPixel(const QImage& bitmap);

// Copies `count` bytes from the block into the bitmap's rows, top row first. A count below one row
// fills only the start of row 0; rows past the bitmap's height are never touched.
void CopyPixelsToBitmap(QImage& bitmap, std::size_t count, const std::uint8_t* block);

// Converts a 16-bit bitmap in place from level words to 5-6-5 words.
void Expand1555To565(QImage& bitmap);

// Fills a 5-6-5 bitmap from a block of 8-bit pages through the palette, or from a block of 16-bit
// level words; as many rows as both hold.
void FillFromPages8(QImage& bitmap, std::span<const std::uint8_t> pages8, const QList<QRgb>& palette);
void FillFromPages16(QImage& bitmap, std::span<const std::uint8_t> pages16);
// Fills a 32-bit bitmap from a block of 16-bit level words in the colours every view and export shows
// them in; as many rows as both hold.
void FillShownWords(QImage& bitmap, std::span<const std::uint8_t> pages16);
