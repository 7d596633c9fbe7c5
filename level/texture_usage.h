// Which object textures and sprite textures a level uses: room faces (in kind 7 the faces of the
// room layers), the textured faces of the meshes, the animated sets, room sprites and sprite
// sequences. Also the records that are exact copies of each other, and the references that name a
// texture past the table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "level/animated_sets.h"
#include "level/trlevel.h"

namespace pw {

// A face's texture word names the object texture in its low 15 bits; bit 15 is a flag (double-sided).
inline constexpr std::uint16_t kFaceTextureMask = 0x7FFF;

struct ObjectTextureUse {
    std::uint32_t room_faces = 0;
    std::uint32_t mesh_faces = 0;
    // The sets (numbered from 1) with a frame showing the texture, each once, in order.
    std::vector<std::uint32_t> animated_sets;
    bool Used() const { return room_faces > 0 || mesh_faces > 0 || !animated_sets.empty(); }
};

struct SpriteTextureUse {
    std::uint32_t room_sprites = 0;
    // The ids of the sprite sequences that hold the texture, in sequence order.
    std::vector<std::int32_t> sequences;
    bool Used() const { return room_sprites > 0 || !sequences.empty(); }
};

// Faces and frames that name an object texture past the end of the table.
struct DanglingReferences {
    std::uint32_t room_faces = 0;
    std::uint32_t mesh_faces = 0;
    std::uint32_t animated_sets = 0;
    std::uint32_t Total() const { return room_faces + mesh_faces + animated_sets; }
};

// The textured faces of the level's meshes, each distinct mesh once: where each face's texture word
// lies in mesh_data (byte offsets, ascending). `damage` is empty, or says which mesh is damaged
// (runs past mesh_data, negative counts, or a face names a vertex the mesh lacks); the faces of the
// meshes before it are listed.
struct MeshFaces {
    std::vector<std::size_t> texture_words;
    std::string damage;
};
MeshFaces FindMeshFaces(const Ttrlevel& level);

struct TextureUsage {
    std::vector<ObjectTextureUse> object_textures; // one per record of the table
    std::vector<SpriteTextureUse> sprite_textures; // one per sprite texture record
    // Groups of records equal in every field, lowest index first; groups in the order of their first.
    std::vector<std::vector<std::uint32_t>> duplicate_groups;
    DanglingReferences dangling;
    // Empty, or why the meshes could not be read to the end (their faces are then partly counted).
    std::string damaged_mesh;

    std::vector<std::uint32_t> UnusedObjectTextures() const;
    bool ObjectTextureUsed(std::size_t index) const {
        return index < object_textures.size() && object_textures[index].Used();
    }
    bool SpriteTextureUsed(std::size_t index) const {
        return index < sprite_textures.size() && sprite_textures[index].Used();
    }
};

// The usage of `level` whose animated sets are `sets` (the level's own anim_words when the caller
// keeps no working copy).
TextureUsage ComputeTextureUsage(const Ttrlevel& level, const AnimatedSets& sets);
TextureUsage ComputeTextureUsage(const Ttrlevel& level);

// Whether two records hold the same bytes in every field a level of `kind` stores.
bool SameStoredRecord(const tobjtexture& a, const tobjtexture& b, std::int32_t kind);

} // namespace pw
