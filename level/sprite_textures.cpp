#include "level/sprite_textures.h"

#include <algorithm>

#include "level/layout.h"

namespace pw {

namespace {

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

using layout::kPageSide;

} // namespace

std::size_t SpriteTextureCount(const Ttrlevel& level) {
    const std::size_t stored = level.sprite_textures.size() / layout::kSpriteTextureSize;
    return std::min(stored, static_cast<std::size_t>(std::max(level.num_sprite_textures, 0)));
}

SpriteTexture ReadSpriteTexture(const Ttrlevel& level, std::size_t index) {
    const std::uint8_t* p = level.sprite_textures.data() + index * layout::kSpriteTextureSize;
    SpriteTexture s;
    s.tile = U16(p);
    s.x = p[2];
    s.y = p[3];
    s.width = U16(p + 4);
    s.height = U16(p + 6);
    for (std::size_t i = 0; i < s.sides.size(); ++i)
        s.sides[i] = static_cast<std::int16_t>(U16(p + 8 + 2 * i));
    return s;
}

PageRect SpriteRectangle(std::int32_t kind, const SpriteTexture& sprite) {
    PageRect r{sprite.tile, sprite.x, sprite.y, 0, 0};
    if (kind == kind_tr4 || kind == kind_trc) {
        r.left = sprite.sides[0];
        r.top = sprite.sides[1];
        r.right = sprite.sides[2];
        r.bottom = sprite.sides[3];
    } else {
        r.right = r.left + (sprite.width + 1) / 256;
        r.bottom = r.top + (sprite.height + 1) / 256;
    }
    r.left = std::clamp(r.left, 0, kPageSide);
    r.top = std::clamp(r.top, 0, kPageSide);
    r.right = std::clamp(r.right, r.left, kPageSide);
    r.bottom = std::clamp(r.bottom, r.top, kPageSide);
    return r;
}

} // namespace pw
