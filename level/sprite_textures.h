// The sprite-texture records of a level, read from the bytes the level keeps in file form. Each record
// is 16 bytes: tile u16, x u8, y u8, width u16, height u16, then four i16. In kinds 1 to 5 the
// rectangle's corner is (x, y) and its size ((width + 1) / 256, (height + 1) / 256) pixels; in kinds 6
// and 7 the four i16 are its left, top, right and bottom in page pixels (right and bottom exclusive).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "level/trlevel.h"

namespace pw {

struct SpriteTexture {
    std::uint16_t tile = 0;
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::array<std::int16_t, 4> sides{};
};

// A rectangle of page pixels: left and top included, right and bottom excluded.
struct PageRect {
    int page = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const PageRect&) const = default;
};

// The records there are: the count, limited to the whole records the bytes hold.
std::size_t SpriteTextureCount(const Ttrlevel& level);
// Record `index` (below SpriteTextureCount).
SpriteTexture ReadSpriteTexture(const Ttrlevel& level, std::size_t index);
// The record's rectangle in a level of kind `kind`, cut to the page (empty when nothing is left).
PageRect SpriteRectangle(std::int32_t kind, const SpriteTexture& sprite);

} // namespace pw
