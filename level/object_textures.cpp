#include "level/object_textures.h"

#include <algorithm>
#include <utility>

namespace pw {

namespace {

constexpr std::uint8_t kFarSide = 255;
constexpr int kGridCell = 64;

bool InTable(const Ttrlevel& level, int index) {
    return index >= 0 && index < level.num_object_textures &&
           static_cast<std::size_t>(index) < level.object_textures.size();
}

// The near-side byte a flipped vertex gets. It comes from the other axis's side bytes, which the flip
// leaves alone, so that flipping twice gives the same byte back.
std::uint8_t NearSide(const tobjtexture& t, bool other_axis_is_y, std::uint8_t fallback) {
    for (int i = 0; i < 3; ++i) {
        const auto& v = t.vertices[static_cast<std::size_t>(i)];
        const std::uint8_t side = other_axis_is_y ? v.ycoord : v.xcoord;
        if (side != kFarSide)
            return side;
    }
    for (int i = 0; i < 3; ++i) {
        const auto& v = t.vertices[static_cast<std::size_t>(i)];
        const std::uint8_t side = other_axis_is_y ? v.xcoord : v.ycoord;
        if (side != kFarSide)
            return side;
    }
    return fallback;
}

void FlipTriangle(tobjtexture& t, bool horizontal) {
    const TextureBox box = TextureBounds(t);
    const int sum = horizontal ? box.min_x + box.max_x : box.min_y + box.max_y;
    const std::uint8_t near = NearSide(t, horizontal, 1);
    for (int i = 0; i < 3; ++i) {
        auto& v = t.vertices[static_cast<std::size_t>(i)];
        std::uint8_t& pixel = horizontal ? v.xpixel : v.ypixel;
        std::uint8_t& side = horizontal ? v.xcoord : v.ycoord;
        pixel = static_cast<std::uint8_t>(sum - pixel);
        side = side == kFarSide ? near : kFarSide;
    }
}

// Mirroring treats a texture as three-vertex only when its fourth vertex is entirely zero: a mirrored
// quadrilateral of kinds 6 and 7 can have zero side bytes at vertex 4 and must stay a quadrilateral.
bool FourthVertexZero(const tobjtexture& t) {
    return t.vertices[3] == tvertex_coords{};
}

} // namespace

bool IsTriangleTexture(const tobjtexture& texture) {
    const auto& v4 = texture.vertices[3];
    return (v4.xpixel == 0 && v4.ypixel == 0) || (v4.xcoord == 0 && v4.ycoord == 0);
}

TextureBox TextureBounds(const tobjtexture& texture) {
    auto v = texture.vertices;
    if (IsTriangleTexture(texture))
        v[3] = v[2];
    TextureBox box{v[0].xpixel, v[0].ypixel, v[0].xpixel, v[0].ypixel};
    for (const auto& vertex : v) {
        box.min_x = std::min<int>(box.min_x, vertex.xpixel);
        box.max_x = std::max<int>(box.max_x, vertex.xpixel);
        box.min_y = std::min<int>(box.min_y, vertex.ypixel);
        box.max_y = std::max<int>(box.max_y, vertex.ypixel);
    }
    return box;
}

MirrorState ReadMirrorState(const tobjtexture& texture) {
    const auto& v1 = texture.vertices[0];
    const auto& v3 = texture.vertices[2];
    if (IsTriangleTexture(texture))
        return {v1.xcoord == kFarSide && v3.xcoord != v1.xcoord,
                v1.ycoord == kFarSide && v3.ycoord != v1.ycoord};
    return {v1.xcoord == kFarSide, v1.ycoord == kFarSide};
}

void MirrorHorizontal(tobjtexture& texture) {
    if (FourthVertexZero(texture)) {
        FlipTriangle(texture, true);
        return;
    }
    auto& v = texture.vertices;
    std::swap(v[0].xpixel, v[1].xpixel);
    std::swap(v[2].xpixel, v[3].xpixel);
    std::swap(v[0].xcoord, v[1].xcoord);
    std::swap(v[2].xcoord, v[3].xcoord);
}

void MirrorVertical(tobjtexture& texture) {
    if (FourthVertexZero(texture)) {
        FlipTriangle(texture, false);
        return;
    }
    auto& v = texture.vertices;
    std::swap(v[0].ypixel, v[3].ypixel);
    std::swap(v[1].ypixel, v[2].ypixel);
    std::swap(v[0].ycoord, v[3].ycoord);
    std::swap(v[1].ycoord, v[2].ycoord);
}

tobjtexture MakeRectangleTexture(std::int32_t kind, int page, int x0, int y0, int x1, int y1) {
    const std::uint8_t near = (kind == kind_tr4 || kind == kind_trc) ? 0 : 1;
    const auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
    tobjtexture t;
    t.attribute = 0;
    t.tile = static_cast<std::uint16_t>(page);
    t.new_flags = 0x8000;
    t.vertices[0] = {near, byte(x0), near, byte(y0)};
    t.vertices[1] = {kFarSide, byte(x1), near, byte(y0)};
    t.vertices[2] = {kFarSide, byte(x1), kFarSide, byte(y1)};
    t.vertices[3] = {near, byte(x0), kFarSide, byte(y1)};
    t.width = static_cast<std::uint32_t>(x1 - x0);
    t.height = static_cast<std::uint32_t>(y1 - y0);
    return t;
}

int AppendTexture(Ttrlevel& level, const tobjtexture& texture) {
    const int index = std::max(level.num_object_textures, 0);
    level.SetObjectTextureCount(index + 1);
    level.object_textures[static_cast<std::size_t>(index)] = texture;
    return index;
}

int DefineGridTextures(Ttrlevel& level, int page, int height) {
    const int first = std::max(level.num_object_textures, 0);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int x = kGridCell * column;
            const int y = kGridCell * row;
            AppendTexture(level, MakeRectangleTexture(level.kind, page, x, y + kGridCell - height,
                                                      x + kGridCell - 1, y + kGridCell - 1));
        }
    }
    return first;
}

int CloneTexture(Ttrlevel& level, int index) {
    if (!InTable(level, index))
        return -1;
    const tobjtexture copy = level.object_textures[static_cast<std::size_t>(index)];
    return AppendTexture(level, copy);
}

bool CopyTextureRecord(Ttrlevel& level, int from, int to) {
    if (!InTable(level, from) || !InTable(level, to))
        return false;
    level.object_textures[static_cast<std::size_t>(to)] =
        level.object_textures[static_cast<std::size_t>(from)];
    return true;
}

int TextureAtPoint(const Ttrlevel& level, int page, int x, int y) {
    const int count =
        std::min<int>(level.num_object_textures, static_cast<int>(level.object_textures.size()));
    for (int i = 0; i < count; ++i) {
        const tobjtexture& t = level.object_textures[static_cast<std::size_t>(i)];
        if (TexturePage(t) != page)
            continue;
        const auto& v = t.vertices;
        const int x0 = v[0].xpixel;
        const int y0 = v[0].ypixel;
        const int x1 = v[2].xpixel == x0 ? v[1].xpixel : v[2].xpixel;
        const int y1 = v[2].ypixel == y0 ? v[1].ypixel : v[2].ypixel;
        if (x >= std::min(x0, x1) && x <= std::max(x0, x1) && y >= std::min(y0, y1) && y <= std::max(y0, y1))
            return i;
    }
    return -1;
}

} // namespace pw
