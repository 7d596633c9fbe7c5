// Operations on the object-texture table: the geometry its vertex bytes describe, mirroring, defining
// new rectangles, cloning, and picking the texture under a point of a page.
//
// Vertex bytes: xpixel/ypixel are the vertex's column and row in its page; xcoord/ycoord say which side
// of the texture the vertex lies on (255 the far side: right or bottom; anything else the near side).
// A texture whose fourth vertex is all zero (pixel and side bytes) has three vertices. That is decided
// once, when a record is read, and kept in `three_vertices`; everything after goes by the member.
#pragma once

#include <cstdint>

#include "level/trlevel.h"

namespace pw {

// The page a texture lies on: the low 15 bits of `tile`.
inline int TexturePage(const tobjtexture& texture) {
    return texture.tile & 0x7FFF;
}

// The test a record's bytes are classified by: the fourth vertex is all zero.
bool FourthVertexIsZero(const tobjtexture& texture);
// Whether the texture has three vertices (the record's `three_vertices`).
inline bool IsTriangleTexture(const tobjtexture& texture) {
    return texture.three_vertices;
}

// Inclusive pixel bounds inside the page; a three-vertex texture counts only its three vertices.
struct TextureBox {
    int min_x = 0;
    int min_y = 0;
    int max_x = 0;
    int max_y = 0;
    bool operator==(const TextureBox&) const = default;
};
TextureBox TextureBounds(const tobjtexture& texture);

// Whether the texture reads as mirrored. The pixel positions decide: left to right when vertex 1 lies
// right of vertex 2, top to bottom when it lies below vertex 4 (a three-vertex texture compares vertex 1
// with the first of vertices 2 and 3 that differs from it on the axis). Where the positions tie on an
// axis, the side bytes decide it as ReadSideMirrorState does.
struct MirrorState {
    bool horizontal = false;
    bool vertical = false;
    bool operator==(const MirrorState&) const = default;
};
MirrorState ReadMirrorState(const tobjtexture& texture);
// What the side bytes alone say: vertex 1 on the far side (255); for three vertices, also vertex 3 on
// the other side than vertex 1.
MirrorState ReadSideMirrorState(const tobjtexture& texture);

// Mirror left to right / top to bottom. Four vertices: the x (or y) bytes are swapped between the
// vertex pairs. Three vertices (the fourth stays all zero): each vertex's pixel is reflected inside the
// texture's bounds and its side flips (unless all three sides are equal). Either way, mirroring twice
// restores the bytes, and the number of vertices never changes.
void MirrorHorizontal(tobjtexture& texture);
void MirrorVertical(tobjtexture& texture);

// The record for a rectangle of page `page` from (x0, y0) to (x1, y1), inclusive: vertices clockwise
// from the top-left, near sides 1 (0 in kinds 6 and 7), far sides 255.
tobjtexture MakeRectangleTexture(std::int32_t kind, int page, int x0, int y0, int x1, int y1);

// Appends a record and returns its index.
int AppendTexture(Ttrlevel& level, const tobjtexture& texture);
// Appends sixteen textures covering page `page` on the 64-pixel grid, each the bottom `height` rows of
// its cell, row by row from the top-left. Returns the index of the first.
int DefineGridTextures(Ttrlevel& level, int page, int height);
// Appends a copy of entry `index`; returns the new index, or -1 when there is no such entry.
int CloneTexture(Ttrlevel& level, int index);
// Copies entry `from` over entry `to`; false (nothing changed) when either is not in the table.
bool CopyTextureRecord(Ttrlevel& level, int from, int to);

// The first texture of page `page`, in table order, whose box contains (x, y), or -1. The box runs
// from vertex 1 to vertex 3 (vertex 2's coordinate where vertex 3 repeats vertex 1's), bounds included.
int TextureAtPoint(const Ttrlevel& level, int page, int x, int y);

} // namespace pw
