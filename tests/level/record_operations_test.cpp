// Operations on the level record: appending pages and resizing the section arrays.
#include <gtest/gtest.h>

#include "level/trlevel.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;

struct Depths {
    bool eight, sixteen, thirtytwo;
};

void ExpectPageAdded(int kind, Depths depths) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    const LevelDescription d = MakeLevel(kind);
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const std::uint16_t room_tiles = level.num_room_tiles;
    level.AddPage();
    EXPECT_EQ(level.num_pages, 3);
    EXPECT_EQ(level.page8_bytes, 3 * 65536);
    auto check = [](const Bytes& pages, const Bytes& before, bool carried, std::size_t page_size,
                    const char* name) {
        if (!carried) {
            EXPECT_TRUE(pages.empty()) << name;
            return;
        }
        ASSERT_EQ(pages.size(), 3 * page_size) << name;
        EXPECT_TRUE(SameBytes(Slice(pages, 0, 2 * page_size), before)) << name << ": existing pages kept";
        EXPECT_TRUE(SameBytes(Slice(pages, 2 * page_size, page_size), Bytes(page_size, 0)))
            << name << ": new page";
    };
    check(level.pages8, d.pages8, depths.eight, 65536, "pages8");
    check(level.pages16, d.pages16, depths.sixteen, 131072, "pages16");
    check(level.pages32, d.pages32, depths.thirtytwo, 262144, "pages32");
    EXPECT_EQ(level.num_room_tiles, room_tiles + 1);
}

TEST(AddPage, GrowsEveryPageBufferTheKindCarries) {
    ExpectPageAdded(1, {true, false, false});
    ExpectPageAdded(4, {true, true, false});
    ExpectPageAdded(6, {false, true, true});
    ExpectPageAdded(7, {false, true, true});
}

TEST(AddPage, AddedPageSurvivesAResave) {
    LevelDescription d = MakeLevel(3);
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    level.AddPage();
    level.pages8[2 * 65536 + 5] = 0x99;
    d.num_pages = 3;
    d.pages8.resize(3 * 65536, 0);
    d.pages8[2 * 65536 + 5] = 0x99;
    d.pages16.resize(3 * 131072, 0);
    EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), BuildLevel(d)));
}

// A level at the page limit could never be saved with another page: the add is refused, nothing changed.
TEST(AddPage, StopsAtThePageLimit) {
    Ttrlevel level;
    level.kind = kind_tr1;
    level.num_pages = 4095;
    ASSERT_TRUE(level.AddPage());
    const std::uint16_t room_tiles = level.num_room_tiles;
    EXPECT_FALSE(level.AddPage());
    EXPECT_EQ(level.num_pages, 4096);
    EXPECT_EQ(level.pages8.size(), 65536u);
    EXPECT_EQ(level.num_room_tiles, room_tiles);
}

// Taking the added page off again gives back the level as read, down to the bytes written.
TEST(RemoveLastPage, UndoesAddPageExactly) {
    for (const int kind : {1, 3, 4, 6, 7}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const LevelDescription d = MakeLevel(kind);
        Ttrlevel level;
        ASSERT_EQ(Load(level, d), Status::done);
        level.AddPage();
        ASSERT_TRUE(level.RemoveLastPage());
        EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), BuildLevel(d)));
    }
    Ttrlevel empty;
    EXPECT_FALSE(empty.RemoveLastPage());
}

TEST(SetCounts, ObjectTextureCountKeepsRecordsAndAppendsZeroes) {
    const LevelDescription d = MakeLevel(7);
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    level.SetObjectTextureCount(level.num_object_textures + 1);
    ASSERT_EQ(level.num_object_textures, 6);
    ASSERT_EQ(level.object_textures.size(), 6u);
    EXPECT_TRUE(
        std::equal(d.object_textures.begin(), d.object_textures.end(), level.object_textures.begin()));
    EXPECT_EQ(level.object_textures[5], tobjtexture{});
    level.SetObjectTextureCount(2);
    EXPECT_EQ(level.object_textures.size(), 2u);
    EXPECT_EQ(level.object_textures[1], d.object_textures[1]);
    level.SetObjectTextureCount(0);
    EXPECT_TRUE(level.object_textures.empty());
}

TEST(SetCounts, TwinAndGroupArraysResizeTogether) {
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(3)), Status::done);
    const Bytes boxes_before = level.boxes8;
    level.SetBoxCount(6);
    EXPECT_EQ(level.num_boxes, 6);
    EXPECT_EQ(level.boxes8.size(), 6u * 8);
    EXPECT_EQ(level.boxes20.size(), 6u * 20);
    EXPECT_TRUE(SameBytes(Slice(level.boxes8, 0, boxes_before.size()), boxes_before));
    EXPECT_TRUE(SameBytes(Slice(level.boxes8, boxes_before.size(), 16), Bytes(16, 0)));

    level.SetZoneCount(6);
    for (const Bytes& zone : level.zones)
        EXPECT_EQ(zone.size(), 6u * 2);

    level.SetItemCount(5);
    EXPECT_EQ(level.items22.size(), 5u * 22);
    EXPECT_EQ(level.items24.size(), 5u * 24);
    level.SetMoveableCount(1);
    EXPECT_EQ(level.moveables18.size(), 18u);
    EXPECT_EQ(level.moveables20.size(), 20u);
}

TEST(SetCounts, KindSelectsTheFormOfAnimationsAndCinematics) {
    Ttrlevel three;
    ASSERT_EQ(Load(three, MakeLevel(3)), Status::done);
    three.SetAnimationCount(4);
    three.SetCinematicCount(3);
    EXPECT_EQ(three.animations32.size(), 4u * 32);
    EXPECT_EQ(three.cinematic_frames.size(), 3u * 16);

    Ttrlevel six;
    ASSERT_EQ(Load(six, MakeLevel(6)), Status::done);
    six.SetAnimationCount(4);
    six.SetCinematicCount(3);
    EXPECT_EQ(six.animations40.size(), 4u * 40);
    EXPECT_EQ(six.ai_objects.size(), 3u * 24);
}

TEST(SetCounts, EachSectionArrayHasItsElementSize) {
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(6)), Status::done);
    struct Case {
        void (Ttrlevel::*set)(std::int32_t);
        Bytes Ttrlevel::*array;
        std::int32_t Ttrlevel::*count;
        std::size_t element;
    };
    const Case cases[] = {
        {&Ttrlevel::SetFloorDataCount, &Ttrlevel::floor_data, &Ttrlevel::num_floor_data, 2},
        {&Ttrlevel::SetMeshDataCount, &Ttrlevel::mesh_data, &Ttrlevel::num_mesh_data, 2},
        {&Ttrlevel::SetMeshPointerCount, &Ttrlevel::mesh_pointers, &Ttrlevel::num_mesh_pointers, 4},
        {&Ttrlevel::SetStateChangeCount, &Ttrlevel::state_changes, &Ttrlevel::num_state_changes, 6},
        {&Ttrlevel::SetAnimDispatchCount, &Ttrlevel::anim_dispatches, &Ttrlevel::num_anim_dispatches, 8},
        {&Ttrlevel::SetAnimCommandCount, &Ttrlevel::anim_commands, &Ttrlevel::num_anim_commands, 2},
        {&Ttrlevel::SetMeshTreeCount, &Ttrlevel::mesh_trees, &Ttrlevel::num_mesh_trees, 4},
        {&Ttrlevel::SetFrameCount, &Ttrlevel::frames, &Ttrlevel::num_frames, 2},
        {&Ttrlevel::SetStaticMeshCount, &Ttrlevel::static_meshes, &Ttrlevel::num_static_meshes, 32},
        {&Ttrlevel::SetSpriteTextureCount, &Ttrlevel::sprite_textures, &Ttrlevel::num_sprite_textures, 16},
        {&Ttrlevel::SetSpriteSequenceCount, &Ttrlevel::sprite_sequences, &Ttrlevel::num_sprite_sequences, 8},
        {&Ttrlevel::SetCameraCount, &Ttrlevel::cameras, &Ttrlevel::num_cameras, 16},
        {&Ttrlevel::SetFlybyCameraCount, &Ttrlevel::flyby_cameras, &Ttrlevel::num_flyby_cameras, 40},
        {&Ttrlevel::SetSoundSourceCount, &Ttrlevel::sound_sources, &Ttrlevel::num_sound_sources, 16},
        {&Ttrlevel::SetOverlapCount, &Ttrlevel::overlaps, &Ttrlevel::num_overlaps, 2},
        {&Ttrlevel::SetDemoDataCount, &Ttrlevel::demo_data, &Ttrlevel::num_demo_data, 1},
        {&Ttrlevel::SetSoundDetailCount, &Ttrlevel::sound_details, &Ttrlevel::num_sound_details, 8},
        {&Ttrlevel::SetSampleIndexCount, &Ttrlevel::sample_indices, &Ttrlevel::num_sample_indices, 4},
    };
    for (const Case& c : cases) {
        const Bytes before = level.*c.array;
        (level.*c.set)(13);
        EXPECT_EQ(level.*c.count, 13);
        ASSERT_EQ((level.*c.array).size(), 13 * c.element) << "element size " << c.element;
        EXPECT_TRUE(SameBytes(Slice(level.*c.array, 0, before.size()), before));
        EXPECT_TRUE(SameBytes(Slice(level.*c.array, before.size(), 13 * c.element - before.size()),
                              Bytes(13 * c.element - before.size(), 0)));
    }
}

TEST(SetCounts, RoomCountAddsEmptyRooms) {
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(1)), Status::done);
    level.SetRoomCount(3);
    EXPECT_EQ(level.num_rooms, 3);
    ASSERT_EQ(level.rooms.size(), 3u);
    EXPECT_EQ(level.rooms[2].num_vertices, 0);
    EXPECT_EQ(level.rooms[2].info, (std::array<std::int32_t, 4>{}));
    EXPECT_EQ(level.rooms[0].num_vertices, 5);
}

} // namespace
} // namespace pw
