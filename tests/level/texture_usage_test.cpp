// Which textures a level uses, counted on levels laid out byte by byte: room faces of every kind
// (kind 7 layers), meshes shared by two pointers, negative normal counts, coloured faces, bit 15,
// dangling references, duplicates, and the clean-up that merges and removes records.
#include <gtest/gtest.h>

#include "level/animated_sets.h"
#include "level/face_texture_words.h"
#include "level/texture_cleanup.h"
#include "level/texture_usage.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

using namespace pw;
using namespace pw::fixtures;

namespace {

void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// One mesh as stored: textured rectangles and triangles with the given texture words, then (kinds 1
// to 5) one coloured rectangle and triangle whose palette index is `colour`.
Bytes Mesh(int kind, std::uint16_t vertices, std::int16_t normals,
           const std::vector<std::uint16_t>& rectangles, const std::vector<std::uint16_t>& triangles,
           std::uint16_t colour = 4) {
    Bytes m = Pattern(10, 77); // centre, radius
    Put16(m, vertices);
    const Bytes v = Pattern(std::size_t{vertices} * 6, 78);
    m.insert(m.end(), v.begin(), v.end());
    Put16(m, static_cast<std::uint16_t>(normals));
    const Bytes n = Pattern(normals > 0 ? normals * 6u : static_cast<std::size_t>(-normals) * 2u, 79);
    m.insert(m.end(), n.begin(), n.end());
    const bool effects = kind >= 6;
    const auto last = static_cast<std::uint16_t>(vertices - 1);
    Put16(m, static_cast<std::uint16_t>(rectangles.size()));
    for (std::uint16_t t : rectangles) {
        for (std::uint16_t i : {std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{2}, last})
            Put16(m, i);
        Put16(m, t);
        if (effects)
            Put16(m, 0x0003);
    }
    Put16(m, static_cast<std::uint16_t>(triangles.size()));
    for (std::uint16_t t : triangles) {
        for (std::uint16_t i : {std::uint16_t{0}, std::uint16_t{1}, last})
            Put16(m, i);
        Put16(m, t);
        if (effects)
            Put16(m, 0x0005);
    }
    if (!effects) {
        Put16(m, 1);
        for (std::uint16_t i : {std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{2}, last})
            Put16(m, i);
        Put16(m, colour);
        Put16(m, 1);
        for (std::uint16_t i : {std::uint16_t{0}, std::uint16_t{1}, last})
            Put16(m, i);
        Put16(m, colour);
    }
    return m;
}

Bytes Pointers(const std::vector<std::uint32_t>& offsets) {
    Bytes b;
    for (std::uint32_t o : offsets) {
        Put16(b, static_cast<std::uint16_t>(o & 0xFFFF));
        Put16(b, static_cast<std::uint16_t>(o >> 16));
    }
    return b;
}

Bytes Faces(const std::vector<std::uint16_t>& textures, int corners) {
    Bytes b;
    for (std::uint16_t t : textures) {
        for (int i = 0; i < corners; ++i)
            Put16(b, static_cast<std::uint16_t>(i));
        Put16(b, t);
    }
    return b;
}

// Six records: 3 copies 1, 5 copies 4. Room faces name 0, 1 (bit 15 set) and 9 (past the table) and
// 1; mesh A (two pointers) names 1, 2 (bit 15) and 1, mesh B names 6 (past the table) and 0; the
// animated sets are {3, 2} and {7}; the coloured faces carry 4, which is no texture.
LevelDescription UsageLevel(int kind) {
    LevelDescription d = MakeLevel(kind);
    tobjtexture base = d.object_textures[0];
    d.object_textures.clear();
    for (int i = 0; i < 6; ++i) {
        tobjtexture t = base;
        t.attribute = static_cast<std::uint16_t>(i == 3 ? 1 : i == 5 ? 4 : i);
        t.vertices[0].xpixel = static_cast<std::uint8_t>(i == 3 ? 16 : i == 5 ? 64 : 16 * i);
        d.object_textures.push_back(t);
    }
    const std::vector<std::uint16_t> rectangles{0, 0x8001, 9}, triangles{1};
    if (kind == 7) {
        LayerDesc& layer = d.rooms[0].layers[0];
        layer.rectangles.clear();
        layer.triangles.clear();
        for (std::uint16_t t : rectangles) {
            const Bytes f = LayerRectangle(0, 1, 2, 3, t, 0x0010);
            layer.rectangles.insert(layer.rectangles.end(), f.begin(), f.end());
        }
        const Bytes f = LayerTriangle(0, 1, 2, triangles[0], 0x0020);
        layer.triangles.insert(layer.triangles.end(), f.begin(), f.end());
        for (std::size_t r = 0; r < d.rooms.size(); ++r)
            for (std::size_t l = r == 0 ? 1 : 0; l < d.rooms[r].layers.size(); ++l) {
                d.rooms[r].layers[l].rectangles.clear();
                d.rooms[r].layers[l].triangles.clear();
            }
    } else {
        d.rooms[0].rectangles = Faces(rectangles, 4);
        d.rooms[0].triangles = Faces(triangles, 3);
        d.rooms[0].sprites = Faces({0, 2}, 1); // vertex, texture
        d.rooms[1].rectangles.clear();
        d.rooms[1].triangles.clear();
        d.rooms[1].sprites = Faces({2}, 1);
    }
    const Bytes a = Mesh(kind, 3, 3, {1, 0x8002}, {1});
    const Bytes b = Mesh(kind, 4, -4, {6}, {0});
    // A mesh without vertices or faces, as real levels hold for empty slots: not damage.
    Bytes empty = Pattern(10, 80);
    empty.resize(empty.size() + (kind >= 6 ? 8 : 12), 0);
    d.mesh_data = a;
    d.mesh_data.insert(d.mesh_data.end(), b.begin(), b.end());
    d.mesh_data.insert(d.mesh_data.end(), empty.begin(), empty.end());
    d.mesh_pointers = Pointers(
        {0, static_cast<std::uint32_t>(a.size()), 0, static_cast<std::uint32_t>(a.size() + b.size())});
    d.anim_words = {2, 1, 3, 2, 0, 7};
    // Sprite sequences: id 10 holds textures 1 and 2, id 11 texture 2.
    d.sprite_sequences.clear();
    for (auto [id, length, offset] : {std::tuple{10, -2, 1}, std::tuple{11, -1, 2}}) {
        Put16(d.sprite_sequences, static_cast<std::uint16_t>(id));
        Put16(d.sprite_sequences, 0);
        Put16(d.sprite_sequences, static_cast<std::uint16_t>(length));
        Put16(d.sprite_sequences, static_cast<std::uint16_t>(offset));
    }
    return Finish(d);
}

Ttrlevel Loaded(const LevelDescription& d) {
    Ttrlevel level;
    EXPECT_TRUE(Load(level, d)) << d.kind;
    return level;
}

struct Use {
    std::uint32_t room, mesh;
    std::vector<std::uint32_t> sets;
};

} // namespace

TEST(TextureUsageTest, CountsEveryKindOfReference) {
    const std::vector<Use> expected{{1, 1, {}}, {2, 2, {}}, {0, 1, {1}}, {0, 0, {1}}, {0, 0, {}}, {0, 0, {}}};
    for (int kind = 1; kind <= 7; ++kind) {
        SCOPED_TRACE(kind);
        const Ttrlevel level = Loaded(UsageLevel(kind));
        const TextureUsage usage = ComputeTextureUsage(level);
        EXPECT_EQ(usage.damaged_mesh, "");
        ASSERT_EQ(usage.object_textures.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(usage.object_textures[i].room_faces, expected[i].room);
            EXPECT_EQ(usage.object_textures[i].mesh_faces, expected[i].mesh);
            EXPECT_EQ(usage.object_textures[i].animated_sets, expected[i].sets);
        }
        EXPECT_EQ(usage.UnusedObjectTextures(), (std::vector<std::uint32_t>{4, 5}));
        EXPECT_EQ(usage.duplicate_groups, (std::vector<std::vector<std::uint32_t>>{{1, 3}, {4, 5}}));
        EXPECT_EQ(usage.dangling.room_faces, 1u);
        EXPECT_EQ(usage.dangling.mesh_faces, 1u);
        EXPECT_EQ(usage.dangling.animated_sets, 1u);
        // Kind 7 rooms carry no sprites.
        const std::uint32_t sprites_in_rooms = kind == 7 ? 0 : 1;
        ASSERT_EQ(usage.sprite_textures.size(), 3u);
        EXPECT_EQ(usage.sprite_textures[0].room_sprites, sprites_in_rooms);
        EXPECT_EQ(usage.sprite_textures[1].room_sprites, 0u);
        EXPECT_EQ(usage.sprite_textures[2].room_sprites, 2 * sprites_in_rooms);
        EXPECT_EQ(usage.sprite_textures[0].sequences, std::vector<std::int32_t>{});
        EXPECT_EQ(usage.sprite_textures[1].sequences, std::vector<std::int32_t>{10});
        EXPECT_EQ(usage.sprite_textures[2].sequences, (std::vector<std::int32_t>{10, 11}));
    }
}

TEST(TextureUsageTest, DamagedMeshIsReportedAndCleanUpRefused) {
    for (int kind : {1, 6}) {
        const Bytes good = Mesh(kind, 3, 3, {1}, {});
        Bytes bad_vertex = Mesh(kind, 3, -3, {1}, {});
        bad_vertex[10 + 2 + 18 + 2 + 6 + 2 + 6] = 3; // last corner of the rectangle: vertex 3 of 3
        Bytes negative = good;
        negative[10] = 0xFF; // vertex count -1 (low byte of 0xFF03 is not enough: set both)
        negative[11] = 0xFF;
        const Bytes whole = Mesh(kind, 3, 3, {1, 2}, {});
        const Bytes short_faces(whole.begin(), whole.end() - (kind >= 6 ? 4 : 20)); // faces run past the end
        for (const Bytes& mesh : {bad_vertex, negative, short_faces}) {
            SCOPED_TRACE(kind);
            LevelDescription d = UsageLevel(kind);
            d.mesh_data = good;
            d.mesh_data.insert(d.mesh_data.end(), mesh.begin(), mesh.end());
            if (d.mesh_data.size() % 2)
                d.mesh_data.push_back(0);
            d.mesh_pointers = Pointers({0, static_cast<std::uint32_t>(good.size())});
            Ttrlevel level = Loaded(Finish(d));
            const TextureUsage usage = ComputeTextureUsage(level);
            EXPECT_NE(usage.damaged_mesh.find("damaged"), std::string::npos);
            EXPECT_EQ(usage.object_textures[1].mesh_faces, 1u); // the good mesh is still counted
            const TextureCleanupPlan plan = PlanTextureCleanup(level, usage, true, true);
            EXPECT_FALSE(plan.refused.empty());
            EXPECT_FALSE(plan.Changes());
        }
    }
}

TEST(TextureUsageTest, MeshPointerPastTheDataIsDamage) {
    LevelDescription d = UsageLevel(3);
    d.mesh_pointers = Pointers({static_cast<std::uint32_t>(d.mesh_data.size() - 4)});
    const Ttrlevel level = Loaded(Finish(d));
    EXPECT_FALSE(ComputeTextureUsage(level).damaged_mesh.empty());
}

namespace {

// Each face word and frame, before and after: a reference into the table names a record equal to the
// one it named, with the flag bits kept; one past the table is left as it was.
void ExpectSameRecords(const Ttrlevel& before, const Ttrlevel& after) {
    const std::vector<std::uint16_t> old_words = ReadFaceTextureWords(before, FindMeshFaces(before));
    const std::vector<std::uint16_t> new_words = ReadFaceTextureWords(after, FindMeshFaces(after));
    ASSERT_EQ(old_words.size(), new_words.size());
    ASSERT_FALSE(old_words.empty());
    for (std::size_t i = 0; i < old_words.size(); ++i) {
        const std::size_t was = old_words[i] & kFaceTextureMask, is = new_words[i] & kFaceTextureMask;
        EXPECT_EQ(old_words[i] & 0x8000, new_words[i] & 0x8000) << i;
        if (was >= before.object_textures.size()) {
            EXPECT_EQ(old_words[i], new_words[i]) << i;
            continue;
        }
        ASSERT_LT(is, after.object_textures.size()) << i;
        EXPECT_EQ(after.object_textures[is], before.object_textures[was]) << i;
    }
    const AnimatedSets old_sets = ParseAnimatedSets(before.anim_words);
    const AnimatedSets new_sets = ParseAnimatedSets(after.anim_words);
    ASSERT_EQ(old_sets.size(), new_sets.size());
    for (std::size_t s = 0; s < old_sets.size(); ++s)
        for (std::size_t f = 0; f < old_sets[s].size(); ++f) {
            if (old_sets[s][f] >= before.object_textures.size())
                EXPECT_EQ(new_sets[s][f], old_sets[s][f]);
            else
                EXPECT_EQ(after.object_textures.at(new_sets[s][f]), before.object_textures[old_sets[s][f]]);
        }
}

} // namespace

TEST(TextureCleanupTest, EveryReferenceKeepsItsRecordThroughSaving) {
    struct Case {
        bool merge, remove;
        std::uint32_t after;
        std::vector<std::uint32_t> removed;
    };
    // Merging: 3 into 1 and 5 into 4. Removing: 4 and 5. Both: 3 into 1, then the group {4, 5}.
    for (const Case& c : {Case{true, false, 4, {}}, Case{false, true, 4, {4, 5}}, Case{true, true, 3, {4}}}) {
        for (int kind = 1; kind <= 7; ++kind) {
            SCOPED_TRACE(testing::Message()
                         << "kind " << kind << " merge " << c.merge << " remove " << c.remove);
            const LevelDescription d = UsageLevel(kind);
            const Ttrlevel before = Loaded(d);
            Ttrlevel level = Loaded(d);
            const Bytes unchanged = SavedImage(level, d.FileName());
            AnimatedSets sets = ParseAnimatedSets(level.anim_words);
            const TextureCleanupPlan plan =
                PlanTextureCleanup(level, ComputeTextureUsage(level, sets), c.merge, c.remove);
            EXPECT_EQ(plan.after, c.after);
            EXPECT_EQ(plan.removed, c.removed);
            ApplyTextureCleanup(level, sets, FindMeshFaces(level), plan);
            EXPECT_EQ(sets, ParseAnimatedSets(level.anim_words));
            EXPECT_EQ(level.num_object_textures, static_cast<std::int32_t>(c.after));
            // The saved file holds the cleaned level (kind 6: not the level-data block that was read).
            Ttrlevel reread;
            ASSERT_TRUE(reread.LoadLevelImage(SavedImage(level, d.FileName()), d.FileName()));
            ExpectSameRecords(before, reread);
            const TextureUsage after = ComputeTextureUsage(reread);
            if (c.merge) {
                EXPECT_TRUE(after.duplicate_groups.empty());
            }
            if (c.remove) {
                EXPECT_TRUE(after.UnusedObjectTextures().empty());
            }
            EXPECT_EQ(after.dangling.Total(), 3u);
            EXPECT_FALSE(SameBytes(SavedImage(reread, d.FileName()), unchanged));
        }
    }
}

TEST(TextureCleanupTest, PuttingTheWordsBackSavesTheSameBytes) {
    for (int kind : {3, 6, 7}) {
        SCOPED_TRACE(kind);
        const LevelDescription d = UsageLevel(kind);
        Ttrlevel level = Loaded(d);
        const Bytes unchanged = SavedImage(level, d.FileName());
        const MeshFaces meshes = FindMeshFaces(level);
        const auto words = ReadFaceTextureWords(level, meshes);
        const auto table = level.object_textures;
        const auto anim_words = level.anim_words;
        AnimatedSets sets = ParseAnimatedSets(level.anim_words);
        ApplyTextureCleanup(level, sets, meshes,
                            PlanTextureCleanup(level, ComputeTextureUsage(level), true, true));
        WriteFaceTextureWords(level, meshes, words);
        level.object_textures = table;
        level.num_object_textures = static_cast<std::int32_t>(table.size());
        level.anim_words = anim_words;
        EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), unchanged));
    }
}
