#include "level/object_textures.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace pw {

namespace {

constexpr std::uint8_t kFarSide = 255;
constexpr int kGridCell = 64;

bool InTable(const Ttrlevel& level, int index) {
    return index >= 0 && index < level.num_object_textures &&
           static_cast<std::size_t>(index) < level.object_textures.size();
}

// A triangle's side bytes on one axis swap far (255) with the near value the other vertices hold, so
// that flipping twice gives the same bytes back. When all three vertices hold the same side byte (as
// in levels whose tools store no sides), the bytes say nothing about the axis and stay as they are.
void FlipTriangleSides(tobjtexture& t, bool horizontal) {
    const auto side = [&](int i) -> std::uint8_t& {
        auto& v = t.vertices[static_cast<std::size_t>(i)];
        return horizontal ? v.xcoord : v.ycoord;
    };
    int near = -1;
    bool has_far = false;
    for (int i = 0; i < 3; ++i) {
        if (side(i) == kFarSide)
            has_far = true;
        else if (near < 0)
            near = side(i);
    }
    if (!has_far || near < 0)
        return;
    for (int i = 0; i < 3; ++i) {
        if (side(i) == kFarSide)
            side(i) = static_cast<std::uint8_t>(near);
        else if (side(i) == near)
            side(i) = kFarSide;
    }
}

void FlipTriangle(tobjtexture& t, bool horizontal) {
    const TextureBox box = TextureBounds(t);
    const int sum = horizontal ? box.min_x + box.max_x : box.min_y + box.max_y;
    for (int i = 0; i < 3; ++i) {
        auto& v = t.vertices[static_cast<std::size_t>(i)];
        std::uint8_t& pixel = horizontal ? v.xpixel : v.ypixel;
        pixel = static_cast<std::uint8_t>(sum - pixel);
    }
    FlipTriangleSides(t, horizontal);
}

} // namespace

// Some level tools store 0 in every side byte, so a zero pixel pair or a zero side pair alone does
// not make a triangle: only a fourth vertex that is zero in all four bytes does.
bool FourthVertexIsZero(const tobjtexture& texture) {
    return texture.vertices[3] == tvertex_coords{};
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

MirrorState ReadSideMirrorState(const tobjtexture& texture) {
    const auto& v1 = texture.vertices[0];
    const auto& v3 = texture.vertices[2];
    if (IsTriangleTexture(texture))
        return {v1.xcoord == kFarSide && v3.xcoord != v1.xcoord,
                v1.ycoord == kFarSide && v3.ycoord != v1.ycoord};
    return {v1.xcoord == kFarSide, v1.ycoord == kFarSide};
}

namespace {

// Whether vertex 1 lies past `other` on one axis (right of it, or below it); nothing when they tie.
std::optional<bool> PastOf(int first, int other) {
    if (first == other)
        return std::nullopt;
    return first > other;
}

// A triangle's vertex 1 against the first of vertices 2 and 3 that differs from it on the axis.
std::optional<bool> TrianglePastOf(const tobjtexture& t, std::uint8_t tvertex_coords::*pixel) {
    const auto& v = t.vertices;
    const int first = v[0].*pixel;
    return PastOf(first, v[1].*pixel != first ? v[1].*pixel : v[2].*pixel);
}

} // namespace

// Real levels hold all kinds of values in the side bytes (127, or 0 everywhere), so the pixel positions
// decide: mirrored left to right when vertex 1 lies right of vertex 2, top to bottom when it lies below
// vertex 4. The side bytes only break a tie.
MirrorState ReadMirrorState(const tobjtexture& texture) {
    const MirrorState sides = ReadSideMirrorState(texture);
    const auto& v = texture.vertices;
    const bool triangle = IsTriangleTexture(texture);
    const std::optional<bool> horizontal =
        triangle ? TrianglePastOf(texture, &tvertex_coords::xpixel) : PastOf(v[0].xpixel, v[1].xpixel);
    const std::optional<bool> vertical =
        triangle ? TrianglePastOf(texture, &tvertex_coords::ypixel) : PastOf(v[0].ypixel, v[3].ypixel);
    return {horizontal.value_or(sides.horizontal), vertical.value_or(sides.vertical)};
}

void MirrorHorizontal(tobjtexture& texture) {
    if (IsTriangleTexture(texture)) {
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
    if (IsTriangleTexture(texture)) {
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
