// Every texture word in a level that names an object texture, visited in one fixed order: room
// rectangles and triangles (in kind 7 the layers' faces first, then the flattened lists that repeat
// them in two forms), then the textured faces of the meshes. Usage counts them; the clean-up rewrites
// them; the history keeps them to put them back.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "level/layout.h"
#include "level/texture_usage.h"
#include "level/trlevel.h"

namespace pw {

enum class FaceWord {
    room_face,      // counts as one use
    room_face_copy, // kind 7: a flattened list repeating a layer face
    mesh_face,
};

namespace detail {

// Calls `visit(word, what)` with a pointer to each texture word of `count` faces of `size` bytes held
// in `faces`, the word lying `at` bytes into each face. The count is cut to the whole faces held.
template <typename Byte, typename Visit>
void VisitFaceList(Byte* faces, std::size_t bytes, std::size_t count, std::size_t size, std::size_t at,
                   FaceWord what, Visit& visit) {
    count = std::min(count, bytes / size);
    for (std::size_t i = 0; i < count; ++i)
        visit(faces + i * size + at, what);
}

} // namespace detail

// Rectangles hold four vertex indices before their texture word, triangles three.
inline constexpr std::size_t kRectangleTextureAt = 8;
inline constexpr std::size_t kTriangleTextureAt = 6;

// `Level` is Ttrlevel or const Ttrlevel; `visit(word, what)` receives a pointer to the word's two
// bytes (little-endian), const for a const level.
template <typename Level, typename Visit>
void VisitFaceTextureWords(Level& level, const MeshFaces& meshes, Visit&& visit) {
    static_assert(std::is_same_v<std::remove_const_t<Level>, Ttrlevel>);
    const bool layered = level.kind == kind_trc;
    const FaceWord flat = layered ? FaceWord::room_face_copy : FaceWord::room_face;
    for (auto& room : level.rooms) {
        for (auto& block : room.layers.rectangle_blocks)
            detail::VisitFaceList(block.faces.data(), block.faces.size(), block.count,
                                  layout::kLayerRectangleSize, kRectangleTextureAt,
                                  layered ? FaceWord::room_face : FaceWord::room_face_copy, visit);
        for (auto& block : room.layers.triangle_blocks)
            detail::VisitFaceList(block.faces.data(), block.faces.size(), block.count,
                                  layout::kLayerTriangleSize, kTriangleTextureAt,
                                  layered ? FaceWord::room_face : FaceWord::room_face_copy, visit);
        detail::VisitFaceList(room.rectangles.data(), room.rectangles.size(), room.num_rectangles,
                              layout::kRectangleSize, kRectangleTextureAt, flat, visit);
        detail::VisitFaceList(room.triangles.data(), room.triangles.size(), room.num_triangles,
                              layout::kTriangleSize, kTriangleTextureAt, flat, visit);
        detail::VisitFaceList(room.rectangles12.data(), room.rectangles12.size(), room.num_rectangles,
                              layout::kLayerRectangleSize, kRectangleTextureAt, FaceWord::room_face_copy,
                              visit);
        detail::VisitFaceList(room.triangles10.data(), room.triangles10.size(), room.num_triangles,
                              layout::kLayerTriangleSize, kTriangleTextureAt, FaceWord::room_face_copy,
                              visit);
    }
    for (std::size_t at : meshes.texture_words)
        if (at + 2 <= level.mesh_data.size())
            visit(level.mesh_data.data() + at, FaceWord::mesh_face);
}

inline std::uint16_t ReadWord(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline void WriteWord(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

// The words in visiting order, and back: the level's structure is unchanged in between.
std::vector<std::uint16_t> ReadFaceTextureWords(const Ttrlevel& level, const MeshFaces& meshes);
void WriteFaceTextureWords(Ttrlevel& level, const MeshFaces& meshes, const std::vector<std::uint16_t>& words);

} // namespace pw
