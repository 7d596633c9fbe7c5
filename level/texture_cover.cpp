#include "level/texture_cover.h"

#include <algorithm>

#include "level/layout.h"
#include "level/object_textures.h"
#include "level/sprite_textures.h"

namespace pw {

namespace {

using layout::kPageSide;

long long Cross(PagePoint a, PagePoint b, PagePoint p) {
    return static_cast<long long>(b.x - a.x) * (p.y - a.y) - static_cast<long long>(b.y - a.y) * (p.x - a.x);
}

bool OnSegment(PagePoint a, PagePoint b, PagePoint p) {
    return Cross(a, b, p) == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
           p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y);
}

// On an edge, or a non-zero winding number: the same answer for either turning direction, which
// mirroring reverses.
bool Inside(const TextureOutline& outline, PagePoint p) {
    int winding = 0;
    for (int i = 0; i < outline.count; ++i) {
        const PagePoint a = outline.points[static_cast<std::size_t>(i)];
        const PagePoint b = outline.points[static_cast<std::size_t>((i + 1) % outline.count)];
        if (OnSegment(a, b, p))
            return true;
        if (a.y <= p.y && b.y > p.y && Cross(a, b, p) > 0)
            ++winding;
        else if (a.y > p.y && b.y <= p.y && Cross(a, b, p) < 0)
            --winding;
    }
    return winding != 0;
}

// Four vertices whose edges run along the axes, turn by turn: they cover their whole box.
bool IsAxisRectangle(const TextureOutline& o) {
    if (o.count != 4)
        return false;
    const auto& p = o.points;
    return (p[0].y == p[1].y && p[1].x == p[2].x && p[2].y == p[3].y && p[3].x == p[0].x) ||
           (p[0].x == p[1].x && p[1].y == p[2].y && p[2].x == p[3].x && p[3].y == p[0].y);
}

void MarkTexture(std::vector<std::uint8_t>& mask, const tobjtexture& texture) {
    const TextureOutline outline = OutlineOf(texture);
    const TextureBox box = TextureBounds(texture);
    const bool whole_box = IsAxisRectangle(outline);
    for (int y = box.min_y; y <= box.max_y; ++y) {
        std::uint8_t* row = mask.data() + static_cast<std::size_t>(y) * kPageSide;
        for (int x = box.min_x; x <= box.max_x; ++x)
            if (!row[x] && (whole_box || Inside(outline, {x, y})))
                row[x] = 1;
    }
}

int TextureCount(const Ttrlevel& level) {
    return std::min<int>(std::max(level.num_object_textures, 0),
                         static_cast<int>(level.object_textures.size()));
}

} // namespace

TextureOutline OutlineOf(const tobjtexture& texture) {
    TextureOutline outline;
    outline.count = IsTriangleTexture(texture) ? 3 : 4;
    for (int i = 0; i < outline.count; ++i) {
        const auto& v = texture.vertices[static_cast<std::size_t>(i)];
        outline.points[static_cast<std::size_t>(i)] = {v.xpixel, v.ypixel};
    }
    return outline;
}

bool TextureCoversPixel(const tobjtexture& texture, int x, int y) {
    const TextureBox box = TextureBounds(texture);
    if (x < box.min_x || x > box.max_x || y < box.min_y || y > box.max_y)
        return false;
    return Inside(OutlineOf(texture), {x, y});
}

PixelCover CoverAt(const Ttrlevel& level, int page, int x, int y) {
    return CoverAmong(level, TexturesOnPage(level, page), SpritesOnPage(level, page), x, y);
}

PixelCover CoverAmong(const Ttrlevel& level, const std::vector<int>& textures,
                      const std::vector<PageSprite>& sprites, int x, int y) {
    PixelCover cover;
    for (const int i : textures) {
        if (TextureCoversPixel(level.object_textures[static_cast<std::size_t>(i)], x, y))
            cover.textures.push_back(i);
    }
    for (const PageSprite& sprite : sprites) {
        if (sprite.rect.Contains(x, y))
            cover.sprites.push_back(sprite.index);
    }
    return cover;
}

std::vector<PageSprite> SpritesOnPage(const Ttrlevel& level, int page) {
    std::vector<PageSprite> on_page;
    const std::size_t sprites = SpriteTextureCount(level);
    for (std::size_t i = 0; i < sprites; ++i) {
        const PageRect r = SpriteRectangle(level.kind, ReadSpriteTexture(level, i));
        if (r.page == page && !r.Empty())
            on_page.push_back({static_cast<int>(i), r});
    }
    return on_page;
}

std::vector<int> TexturesOnPage(const Ttrlevel& level, int page) {
    std::vector<int> on_page;
    const int textures = TextureCount(level);
    for (int i = 0; i < textures; ++i)
        if (TexturePage(level.object_textures[static_cast<std::size_t>(i)]) == page)
            on_page.push_back(i);
    return on_page;
}

std::vector<std::uint8_t> CoverMask(const Ttrlevel& level, int page) {
    return CoverMask(level, page, {});
}

std::vector<std::uint8_t> CoverMask(const Ttrlevel& level, int page, const std::vector<bool>& left_out) {
    std::vector<std::uint8_t> mask(layout::kPage8Bytes, 0);
    for (const int i : TexturesOnPage(level, page))
        if (static_cast<std::size_t>(i) >= left_out.size() || !left_out[static_cast<std::size_t>(i)])
            MarkTexture(mask, level.object_textures[static_cast<std::size_t>(i)]);
    for (const PageSprite& sprite : SpritesOnPage(level, page)) {
        const PageRect& r = sprite.rect;
        for (int y = r.top; y < r.bottom; ++y)
            std::fill_n(mask.begin() + y * kPageSide + r.left, r.right - r.left, std::uint8_t{1});
    }
    return mask;
}

std::size_t FreePixelCount(const std::vector<std::uint8_t>& mask) {
    return static_cast<std::size_t>(std::count(mask.begin(), mask.end(), std::uint8_t{0}));
}

} // namespace pw
