// The picture of all pages of a level stacked top to bottom, page 1 at the top, 256 pixels wide, as the
// program shows them: kinds 1 and 2 through their palette (each component times 4), the others from
// their 16-bit pages as 5-6-5 widened to 8 bits by repeating the high bits.
#pragma once

#include <cstdint>

#include "level/trlevel.h"

namespace pw {

// The resolution written into exported picture files (96 dots per inch), the same whichever program
// writes them.
inline constexpr int kExportDotsPerMeter = 3780;

// Rows [first, first + count) of the stacked picture into `out`, 768 bytes a row of R, G, B bytes (B, G, R
// when `bgr`), rows from the top. Rows the level holds no pixels for, and rows past the last page, are black.
void ExportRows(const Ttrlevel& level, std::size_t first, std::size_t count, bool bgr, std::uint8_t* out);

} // namespace pw
