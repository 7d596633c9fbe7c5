// Writing a rectangle of pixels into one page of a level, in every depth its kind carries, by the
// rules every copy follows (the windows and the command-line tool alike):
// - Transparency first. A source pixel is transparent when its source says so: alpha 0 in a picture
//   with alpha or a 32-bit page, word 0 in a 16-bit page, index 0 in an 8-bit page. From a picture
//   without alpha, in a level with 8-bit pages, only the exact colour palette entry 0 shows is
//   transparent; in a level without them, a colour whose 16-bit word is 0 (black).
// - 8-bit pages: index 0 for a transparent pixel and for nothing else; any other pixel takes the entry
//   among 1 to 255 that looks nearest (PaletteMatcher), optionally with error diffusion for pictures.
//   Between two levels with equal palettes the indices travel as stored.
// - 16-bit pages: 0 for a transparent pixel, else 5-6-5 by truncation, the level word and the opaque
//   flag (opaque black is 0x8000).
// - 32-bit pages (B, G, R, A): four zero bytes for a transparent pixel; any other has A = 0xFF, or the
//   picture's own alpha.
// - Pixels that come from another level keep what that level stores: 32-bit pixels of a kind 6 or 7
//   level are written as they are, and the 16-bit word beside each follows it (0 where alpha is 0, else
//   the opaque flag and the colour truncated to 5-5-5); without them, the source's 16-bit words are
//   written as they are.
// So the depths of the level agree: a pixel is transparent in all of them or in none.
// Only the covered pixels change; the rest of the page keeps its bytes in every depth.
#pragma once

#include <cstdint>
#include <span>

#include "level/trlevel.h"

namespace pw {

class PaletteMatcher;

struct PixelSource {
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> argb; // width x height colours 0xAARRGGBB, rows from the top
    bool has_alpha = false;              // the picture carries an alpha channel
    // Optional: width x height pixels of 4 bytes (B, G, R, A) as a kind 6/7 level stores them.
    std::span<const std::uint8_t> stored32;
    // Optional: width x height level words (little-endian) as a level with 16-bit pages stores them.
    std::span<const std::uint8_t> stored16;
    // Optional: width x height indices as a level with 8-bit pages stores them, with that level's palette
    // (768 bytes). Written as they are into a level whose palette is the same.
    std::span<const std::uint8_t> stored8;
    std::span<const std::uint8_t> palette8;
    // For a picture: spread each pixel's difference from its palette entry over its neighbours in 8-bit
    // pages (Floyd–Steinberg), within the written rectangle.
    bool dither = false;
};

// The level word (opaque flag clear) for a 24-bit colour: 5-6-5 by truncation, then 1-5-5-5.
inline std::uint16_t LevelWordFromRgb(std::uint32_t rgb) {
    const unsigned red = (rgb >> 19) & 0x1Fu;
    const unsigned green = (rgb >> 11) & 0x1Fu;
    const unsigned blue = (rgb >> 3) & 0x1Fu;
    return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
}

// The level word that goes with a stored 32-bit pixel (B, G, R, A): 0 where alpha is 0, else the opaque
// flag and the colour truncated to 5-5-5 (opaque black is 0x8000).
inline std::uint16_t LevelWordFromPixel32(const std::uint8_t* bgra) {
    if (bgra[3] == 0)
        return 0;
    const std::uint32_t rgb =
        static_cast<std::uint32_t>(bgra[2]) << 16 | static_cast<std::uint32_t>(bgra[1]) << 8 | bgra[0];
    return static_cast<std::uint16_t>(0x8000u | LevelWordFromRgb(rgb));
}

// Writes `source` with its top-left pixel at (left, top) of page `page`; pixels that fall outside the
// page, and depths whose page block is missing, are skipped. `matcher` must match the level's palette
// when the kind carries 8-bit pages; it may be null otherwise.
void WritePagePixels(Ttrlevel& level, int page, int left, int top, const PixelSource& source,
                     PaletteMatcher* matcher);

} // namespace pw
