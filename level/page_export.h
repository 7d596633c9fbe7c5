// The picture of all pages of a level stacked top to bottom, page 1 at the top, 256 pixels wide, as the
// program shows them: kinds 1 and 2 through their palette (each component times 4), the others from
// their 16-bit pages as 5-6-5 widened to 8 bits by repeating the high bits.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "level/trlevel.h"

namespace pw {

// The resolution written into exported picture files (96 dots per inch), the same whichever program
// writes them.
inline constexpr int kExportDotsPerMeter = 3780;

// R, G, B bytes, 256 x (256 x num_pages) pixels, rows from the top; rows the level holds no pixels for
// are black. Empty when the level has no pages.
std::vector<std::uint8_t> ExportPixelsRgb(const Ttrlevel& level);

// Rows [first, first + count) of that picture into `out`, 768 bytes a row, in B, G, R order when `bgr`.
// Rows past the last page are black.
void ExportRows(const Ttrlevel& level, std::size_t first, std::size_t count, bool bgr, std::uint8_t* out);

// The same picture as a whole Windows bitmap file: 24 bits per pixel, rows stored bottom up, no
// padding (a row is 768 bytes). Empty when the level has no pages.
std::vector<std::uint8_t> ExportBmp(const Ttrlevel& level);
// Writes the same file to `out` a few rows at a time, without holding the whole picture, moving
// `gauge` (when given) up to 100: done, or file_error (naming `name`) when a write fails. Writes
// nothing when the level has no pages.
LevelResult WriteExportBmp(const Ttrlevel& level, std::FILE* out, const std::string& name,
                           Gauge* gauge = nullptr);

// The 32-bit pages as stored (B, G, R, A per pixel), the same shape; empty when the kind has none.
std::vector<std::uint8_t> ExportPixels32(const Ttrlevel& level);

} // namespace pw
