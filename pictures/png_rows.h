// The rows of a .png file as stored, one at a time: its image data inflated as a stream and each row
// unfiltered, so that neither the whole picture nor its whole data is ever held. Used to check what a
// decoder would hide (palette indices past the palette) and to take only some rows of a picture too
// large to decode whole.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QIODevice>
#include <QString>

struct PngLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bit_depth = 0;
    int colour_type = 0;
    bool interlaced = false;
    int palette_entries = 0; // entries of the PLTE chunk (0 without one)
    // Every chunk between the header and the image data (PLTE, tRNS, gAMA, ...), as stored.
    QByteArray chunks_before_data;

    int BitsPerPixel() const;
    // Bytes of one unfiltered row `width` pixels wide.
    std::uint64_t RowBytes(std::uint32_t pixels) const;
};

// Called with each unfiltered row (without its filter byte) and the interlace pass it belongs to (0 for
// a picture without interlacing, else 1 to 7); returns false to stop reading.
using PngRowVisitor = std::function<bool(std::span<const std::uint8_t> row, int pass)>;

// Reads the PNG file on `device` from its start. False, with `error` saying why, for a file that is not
// a PNG, one with a row wider than a page picture could need, or image data that is damaged or ends
// before the last row; true once every row was visited or `visit` stopped.
bool ReadPngRows(QIODevice& device, PngLayout& layout, const PngRowVisitor& visit, QString& error);

// Undoes the filter of `row` (its filter byte first, then `bytes` bytes) against the unfiltered row
// above it, `bpp` bytes to a pixel (1 below 8 bits); false for a filter type that does not exist.
bool UnfilterPngRow(std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, std::size_t bpp);

// The largest palette index in `row` of a palette picture (0 for other colour types).
int LargestPaletteIndex(std::span<const std::uint8_t> row, int bit_depth);
