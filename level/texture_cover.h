// Which object textures and sprite textures cover the pixels of a page: the outline through a texture's
// vertices, the cover of one pixel, and the mask of all covered pixels (what is left is free for new art).
//
// A vertex stands on a pixel (xpixel, ypixel); a texture covers the pixels on or inside the polygon
// through its three or four vertices, in record order. A rectangle from (x0, y0) to (x1, y1) so covers
// exactly the pixels x0..x1 and y0..y1, the box the table's definitions and picking use. Whether a
// texture has three vertices is the record's decided flag.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "level/sprite_textures.h"
#include "level/trlevel.h"

namespace pw {

struct PagePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PagePoint&) const = default;
};

struct TextureOutline {
    std::array<PagePoint, 4> points{};
    int count = 0; // 3 or 4
};

TextureOutline OutlineOf(const tobjtexture& texture);
bool TextureCoversPixel(const tobjtexture& texture, int x, int y);

// What covers one pixel of a page, each list in table order (the last drawn on top).
struct PixelCover {
    std::vector<int> textures;
    std::vector<int> sprites;
    bool operator==(const PixelCover&) const = default;
};
PixelCover CoverAt(const Ttrlevel& level, int page, int x, int y);

// The object textures of page `page`, in table order.
std::vector<int> TexturesOnPage(const Ttrlevel& level, int page);

// The sprite textures of page `page` that cover any pixel, in table order, with their rectangles.
struct PageSprite {
    int index = 0;
    PageRect rect;
};
std::vector<PageSprite> SpritesOnPage(const Ttrlevel& level, int page);

// What covers pixel (x, y) among one page's own textures and sprites, as TexturesOnPage and
// SpritesOnPage list them: the same answer as CoverAt without looking at any other page.
PixelCover CoverAmong(const Ttrlevel& level, const std::vector<int>& textures,
                      const std::vector<PageSprite>& sprites, int x, int y);

// 256 x 256 flags, row after row: 1 where an object texture or a sprite texture of the page covers
// the pixel, 0 where the pixel is free.
std::vector<std::uint8_t> CoverMask(const Ttrlevel& level, int page);
// The same with the object textures i for which left_out[i] holds left out (the sprites all count).
std::vector<std::uint8_t> CoverMask(const Ttrlevel& level, int page, const std::vector<bool>& left_out);
std::size_t FreePixelCount(const std::vector<std::uint8_t>& mask);

} // namespace pw
