#include "level/texture_usage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "level/face_texture_words.h"
#include "level/layout.h"
#include "level/sprite_textures.h"

namespace pw {

namespace {

constexpr std::size_t kMeshHeadBytes = 3 * 2 + 4; // centre (3 x i16), radius (i32)
constexpr std::size_t kMeshVertexSize = 6;
constexpr std::size_t kMeshNormalSize = 6;
constexpr std::size_t kMeshLightSize = 2;
constexpr std::size_t kColouredRectangleSize = 10;
constexpr std::size_t kColouredTriangleSize = 8;

// Reads one mesh at a time from mesh_data, never past its end.
class MeshReader {
public:
    MeshReader(const Bytes& data, std::size_t size) : data_(data.data()), size_(size) {}

    void Start(std::size_t at) { pos_ = at; }
    std::size_t Pos() const { return pos_; }
    bool Skip(std::size_t n) {
        if (pos_ > size_ || size_ - pos_ < n)
            return false;
        pos_ += n;
        return true;
    }
    bool Count(std::int16_t& n) {
        if (!Has(2))
            return false;
        n = static_cast<std::int16_t>(ReadWord(data_ + pos_));
        pos_ += 2;
        return true;
    }
    bool Has(std::size_t n) const { return pos_ <= size_ && size_ - pos_ >= n; }
    std::uint16_t WordAt(std::size_t at) const { return ReadWord(data_ + at); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Walks `count` faces of `size` bytes with `corners` vertex indices each; records the texture word
// offsets (at `texture_at`) when `words` is given. Empty on success, else what is wrong.
std::string WalkFaces(MeshReader& r, std::int16_t count, std::size_t size, int corners, int vertices,
                      std::size_t texture_at, std::vector<std::size_t>* words, const char* what) {
    if (count < 0)
        return std::string("negative ") + what + " count";
    const std::size_t first = r.Pos();
    if (!r.Skip(static_cast<std::size_t>(count) * size))
        return std::string(what) + " run past the mesh data";
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const std::size_t face = first + i * size;
        for (int c = 0; c < corners; ++c)
            if (r.WordAt(face + 2 * static_cast<std::size_t>(c)) >= vertices)
                return std::string("a face of its ") + what + " names a vertex past its " +
                       std::to_string(vertices);
        if (words)
            words->push_back(face + texture_at);
    }
    return {};
}

// Walks the mesh at `at`; empty on success, else what is wrong with it.
std::string WalkMesh(MeshReader& r, std::size_t at, std::int32_t kind, std::vector<std::size_t>& words) {
    r.Start(at);
    std::int16_t vertices = 0;
    if (!r.Skip(kMeshHeadBytes) || !r.Count(vertices))
        return "its head runs past the mesh data";
    if (vertices < 0)
        return "negative vertex count";
    std::int16_t normals = 0;
    if (!r.Skip(static_cast<std::size_t>(vertices) * kMeshVertexSize) || !r.Count(normals))
        return "its vertices run past the mesh data";
    const std::size_t normal_bytes = normals >= 0 ? static_cast<std::size_t>(normals) * kMeshNormalSize
                                                  : static_cast<std::size_t>(-normals) * kMeshLightSize;
    if (!r.Skip(normal_bytes))
        return "its normals run past the mesh data";
    const bool effects = kind >= kind_tr4; // kinds 6 and 7 add an effects word to textured faces
    const std::size_t rectangle = layout::kRectangleSize + (effects ? 2 : 0);
    const std::size_t triangle = layout::kTriangleSize + (effects ? 2 : 0);
    struct List {
        std::size_t size;
        int corners;
        bool textured;
        const char* what;
    };
    std::vector<List> lists{{rectangle, 4, true, "textured rectangles"},
                            {triangle, 3, true, "textured triangles"}};
    if (!effects) {
        lists.push_back({kColouredRectangleSize, 4, false, "coloured rectangles"});
        lists.push_back({kColouredTriangleSize, 3, false, "coloured triangles"});
    }
    for (const List& list : lists) {
        std::int16_t count = 0;
        if (!r.Count(count))
            return std::string("its ") + list.what + " count runs past the mesh data";
        std::string wrong = WalkFaces(r, count, list.size, list.corners, vertices,
                                      list.corners == 4 ? kRectangleTextureAt : kTriangleTextureAt,
                                      list.textured ? &words : nullptr, list.what);
        if (!wrong.empty())
            return wrong;
    }
    return {};
}

std::size_t Clamp(std::int32_t count, std::size_t bytes, std::size_t size) {
    return std::min(static_cast<std::size_t>(std::max(count, 0)), bytes / size);
}

std::uint32_t U32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The bytes of a record that a level of `kind` stores, and whether it has three vertices.
std::string StoredKey(const tobjtexture& t, std::int32_t kind) {
    std::string key;
    auto put16 = [&](std::uint16_t v) {
        key.push_back(static_cast<char>(v & 0xFF));
        key.push_back(static_cast<char>(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(static_cast<std::uint16_t>(v & 0xFFFF));
        put16(static_cast<std::uint16_t>(v >> 16));
    };
    put16(t.attribute);
    put16(t.tile);
    for (const tvertex_coords& v : t.vertices)
        key.append({static_cast<char>(v.xcoord), static_cast<char>(v.xpixel), static_cast<char>(v.ycoord),
                    static_cast<char>(v.ypixel)});
    if (kind >= kind_tr4) {
        put16(t.new_flags);
        put32(t.base_u);
        put32(t.base_v);
        put32(t.width);
        put32(t.height);
    }
    if (kind == kind_trc)
        put16(t.trc_extra);
    key.push_back(t.three_vertices ? 1 : 0);
    return key;
}

void CountFaces(const Ttrlevel& level, const MeshFaces& meshes, TextureUsage& usage) {
    const std::size_t n = usage.object_textures.size();
    VisitFaceTextureWords(level, meshes, [&](const std::uint8_t* word, FaceWord what) {
        if (what == FaceWord::room_face_copy)
            return;
        const std::size_t index = ReadWord(word) & kFaceTextureMask;
        const bool room = what == FaceWord::room_face;
        if (index >= n)
            ++(room ? usage.dangling.room_faces : usage.dangling.mesh_faces);
        else
            ++(room ? usage.object_textures[index].room_faces : usage.object_textures[index].mesh_faces);
    });
}

void CountAnimatedSets(const AnimatedSets& sets, TextureUsage& usage) {
    for (std::size_t s = 0; s < sets.size(); ++s) {
        const auto number = static_cast<std::uint32_t>(s + 1);
        for (std::uint16_t frame : sets[s]) {
            if (frame >= usage.object_textures.size()) {
                ++usage.dangling.animated_sets;
                continue;
            }
            auto& in = usage.object_textures[frame].animated_sets;
            if (in.empty() || in.back() != number)
                in.push_back(number);
        }
    }
}

void CountSprites(const Ttrlevel& level, TextureUsage& usage) {
    const std::size_t n = SpriteTextureCount(level);
    usage.sprite_textures.assign(n, {});
    for (const troom& room : level.rooms) {
        const std::size_t count = Clamp(room.num_sprites, room.sprites.size(), layout::kRoomSpriteSize);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t texture = ReadWord(room.sprites.data() + i * layout::kRoomSpriteSize + 2);
            if (texture < n)
                ++usage.sprite_textures[texture].room_sprites;
        }
    }
    const std::size_t sequences =
        Clamp(level.num_sprite_sequences, level.sprite_sequences.size(), layout::kSpriteSequenceSize);
    for (std::size_t i = 0; i < sequences; ++i) {
        const std::uint8_t* p = level.sprite_sequences.data() + i * layout::kSpriteSequenceSize;
        const auto id = static_cast<std::int32_t>(U32At(p));
        const auto length = static_cast<std::int16_t>(ReadWord(p + 4));
        const auto offset = static_cast<std::int16_t>(ReadWord(p + 6));
        if (offset < 0)
            continue;
        const std::size_t first = static_cast<std::size_t>(offset);
        const std::size_t last = std::min(first + static_cast<std::size_t>(std::abs(length)), n);
        for (std::size_t t = first; t < last; ++t) {
            auto& in = usage.sprite_textures[t].sequences;
            if (in.empty() || in.back() != id)
                in.push_back(id);
        }
    }
}

void FindDuplicates(const Ttrlevel& level, TextureUsage& usage) {
    std::unordered_map<std::string, std::size_t> group_of; // key -> index into groups, or npos-free
    std::vector<std::vector<std::uint32_t>> groups;
    group_of.reserve(level.object_textures.size());
    for (std::size_t i = 0; i < level.object_textures.size(); ++i) {
        auto [it, fresh] =
            group_of.try_emplace(StoredKey(level.object_textures[i], level.kind), groups.size());
        if (fresh)
            groups.push_back({static_cast<std::uint32_t>(i)});
        else
            groups[it->second].push_back(static_cast<std::uint32_t>(i));
    }
    for (auto& group : groups)
        if (group.size() > 1)
            usage.duplicate_groups.push_back(std::move(group));
}

} // namespace

MeshFaces FindMeshFaces(const Ttrlevel& level) {
    MeshFaces faces;
    const std::size_t size =
        Clamp(level.num_mesh_data, level.mesh_data.size(), layout::kMeshDataSize) * layout::kMeshDataSize;
    const std::size_t pointers =
        Clamp(level.num_mesh_pointers, level.mesh_pointers.size(), layout::kMeshPointerSize);
    std::vector<std::uint32_t> starts(pointers);
    for (std::size_t i = 0; i < pointers; ++i)
        starts[i] = U32At(level.mesh_pointers.data() + i * layout::kMeshPointerSize);
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    MeshReader reader(level.mesh_data, size);
    for (std::uint32_t at : starts) {
        const std::size_t listed = faces.texture_words.size();
        std::string wrong = WalkMesh(reader, at, level.kind, faces.texture_words);
        if (!wrong.empty()) {
            faces.texture_words.resize(listed);
            faces.damage =
                "the mesh at byte " + std::to_string(at) + " of the mesh data is damaged: " + wrong;
            break;
        }
    }
    // Meshes that overlap share faces: each word is one face.
    std::sort(faces.texture_words.begin(), faces.texture_words.end());
    faces.texture_words.erase(std::unique(faces.texture_words.begin(), faces.texture_words.end()),
                              faces.texture_words.end());
    return faces;
}

std::vector<std::uint32_t> TextureUsage::UnusedObjectTextures() const {
    std::vector<std::uint32_t> unused;
    for (std::size_t i = 0; i < object_textures.size(); ++i)
        if (!object_textures[i].Used())
            unused.push_back(static_cast<std::uint32_t>(i));
    return unused;
}

bool SameStoredRecord(const tobjtexture& a, const tobjtexture& b, std::int32_t kind) {
    return StoredKey(a, kind) == StoredKey(b, kind);
}

TextureUsage ComputeTextureUsage(const Ttrlevel& level, const AnimatedSets& sets) {
    TextureUsage usage;
    usage.object_textures.assign(level.object_textures.size(), {});
    const MeshFaces meshes = FindMeshFaces(level);
    usage.damaged_mesh = meshes.damage;
    CountFaces(level, meshes, usage);
    CountAnimatedSets(sets, usage);
    CountSprites(level, usage);
    FindDuplicates(level, usage);
    return usage;
}

TextureUsage ComputeTextureUsage(const Ttrlevel& level) {
    return ComputeTextureUsage(level, ParseAnimatedSets(level.anim_words));
}

std::vector<std::uint16_t> ReadFaceTextureWords(const Ttrlevel& level, const MeshFaces& meshes) {
    std::vector<std::uint16_t> words;
    VisitFaceTextureWords(level, meshes,
                          [&](const std::uint8_t* p, FaceWord) { words.push_back(ReadWord(p)); });
    return words;
}

void WriteFaceTextureWords(Ttrlevel& level, const MeshFaces& meshes,
                           const std::vector<std::uint16_t>& words) {
    std::size_t k = 0;
    VisitFaceTextureWords(level, meshes, [&](std::uint8_t* p, FaceWord) {
        if (k < words.size())
            WriteWord(p, words[k++]);
    });
}

} // namespace pw
