// Kind 7 rooms: layers as read and written, fillers, offsets and sizes, and the flattening of the
// layers into one vertex list and one list of each face shape.
#include <gtest/gtest.h>

#include <cstring>

#include "level/trlevel.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/level_expectations.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;

// Offsets inside the level data of a built file, moved to where the same bytes stand in `saved`:
// the compressed texture blocks before them may deflate to other sizes.
std::size_t LevelDataShift(const Bytes& saved, const BuiltLevel& built) {
    std::size_t at = 4 + 6;
    for (int block = 0; block < 3; ++block)
        at += 8 + U32At(saved, at + 4);
    return at - built.at.at("level_head");
}

void Append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

std::int16_t I16At(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(U16At(b, at));
}

std::uint16_t Colour15(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint16_t>((red >> 3) * 1024 + (green >> 3) * 32 + (blue >> 3));
}

// Two layers; the second names the position of the first layer's vertex 0 again.
LevelDescription SharedVertexLevel() {
    LevelDescription d = MakeLevel(7);
    RoomDesc& room = d.rooms[0];
    room.layers.resize(2);
    LayerDesc& a = room.layers[0];
    LayerDesc& b = room.layers[1];
    a.vertices.clear();
    Append(a.vertices, LayerVertex(10.2f, 20.9f, -30.5f, 0x10, 0x20, 0x30));
    Append(a.vertices, LayerVertex(-0.7f, 5.0f, 6.0f, 0xFF, 0x00, 0x08));
    Append(a.vertices, LayerVertex(100.0f, 200.0f, 300.0f, 0x80, 0x80, 0x80));
    Append(a.vertices, LayerVertex(1.0f, 2.0f, 3.0f, 0x01, 0x02, 0x03));
    a.rectangles = LayerRectangle(0, 1, 2, 3, 0x0101, 0x0011);
    a.triangles = LayerTriangle(0, 2, 3, 0x0202, 0x0022);
    b.vertices.clear();
    Append(b.vertices, LayerVertex(500.0f, 600.0f, 700.0f, 0x40, 0x50, 0x60));
    Append(b.vertices, LayerVertex(10.7f, 20.1f, -30.9f, 0xF8, 0x88, 0x18, 0x77));
    Append(b.vertices, LayerVertex(-1.5f, 0.0f, 9.99f, 0x00, 0xFF, 0x00));
    b.rectangles.clear();
    b.triangles = LayerTriangle(1, 0, 2, 0x0303, 0x0033);
    return d;
}

TEST(TrcFlattening, LayersNamingTheSamePositionShareOneVertex) {
    const LevelDescription d = SharedVertexLevel();
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const troom& room = level.rooms[0];
    // v0 and the second layer's v1 truncate to the same position: 6 flat vertices for 7 layer vertices.
    ASSERT_EQ(room.num_vertices, 6);
    const std::int16_t want[6][3] = {{10, 20, -30}, {0, 5, 6},       {100, 200, 300},
                                     {1, 2, 3},     {500, 600, 700}, {-1, 0, 9}};
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE("flat vertex " + std::to_string(i));
        for (std::size_t c = 0; c < 3; ++c) {
            EXPECT_EQ(I16At(room.vertices12, i * 12 + c * 2), want[i][c]);
            EXPECT_EQ(I16At(room.vertices8, i * 8 + c * 2), want[i][c]);
        }
        EXPECT_EQ(room.vertices12[i * 12 + 7], 0);
        EXPECT_EQ(room.vertices8[i * 8 + 7], 0);
    }
    // The shared vertex carries the layer vertex seen last and its colour.
    const Bytes last = Slice(d.rooms[0].layers[1].vertices, 28, 28);
    EXPECT_TRUE(SameBytes(Slice(room.layer_vertices, 0, 28), last));
    EXPECT_EQ(U16At(room.vertices12, 10), Colour15(0xF8, 0x88, 0x18));
    EXPECT_EQ(U16At(room.vertices12, 4 * 12 + 10), Colour15(0x40, 0x50, 0x60));

    ASSERT_EQ(room.num_rectangles, 1);
    EXPECT_TRUE(SameBytes(room.rectangles, Bytes{0, 0, 1, 0, 2, 0, 3, 0, 0x01, 0x01}));
    EXPECT_TRUE(SameBytes(room.rectangles12, Bytes{0, 0, 1, 0, 2, 0, 3, 0, 0x01, 0x01, 0x11, 0}));
    ASSERT_EQ(room.num_triangles, 2);
    EXPECT_TRUE(SameBytes(room.triangles, Bytes{0, 0, 2, 0, 3, 0, 0x02, 0x02, 0, 0, 4, 0, 5, 0, 0x03, 0x03}));
    EXPECT_TRUE(SameBytes(room.triangles10, Bytes{0, 0, 2, 0, 3, 0, 0x02, 0x02, 0x22, 0,
                                                  0, 0, 4, 0, 5, 0, 0x03, 0x03, 0x33, 0}));
}

TEST(TrcFlattening, RoomRoundTripsWithSharedAndNegativePositions) {
    const LevelDescription d = SharedVertexLevel();
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    EXPECT_TRUE(SameLevelFile(SavedImage(level, d.FileName()), BuildLevel(d), 7));
}

TEST(TrcFlattening, MoreThan1500DistinctVerticesGiveIndexFFFF) {
    LevelDescription d = MakeLevel(7);
    RoomDesc& room = d.rooms[1];
    room.layers.resize(2);
    for (std::size_t l = 0; l < 2; ++l) {
        LayerDesc& layer = room.layers[l];
        layer.vertices.clear();
        for (int i = 0; i < 1000; ++i)
            Append(layer.vertices, LayerVertex(static_cast<float>(i), static_cast<float>(l), 0.0f, 1, 2, 3));
    }
    room.layers[0].rectangles.clear();
    room.layers[0].triangles = LayerTriangle(0, 1, 999, 7, 0);
    room.layers[1].rectangles = LayerRectangle(0, 499, 500, 999, 8, 0);
    room.layers[1].triangles.clear();
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const troom& flat = level.rooms[1];
    EXPECT_EQ(flat.num_vertices, 1500);
    ASSERT_EQ(flat.num_triangles, 1);
    EXPECT_TRUE(SameBytes(flat.triangles, Bytes{0, 0, 1, 0, 0xE7, 0x03, 7, 0}));
    ASSERT_EQ(flat.num_rectangles, 1);
    EXPECT_TRUE(SameBytes(flat.rectangles, Bytes{0xE8, 0x03, 0xDB, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 8, 0}));
    // The layers themselves are complete and are written back whole.
    EXPECT_EQ(flat.layers.vertex_blocks[1].count, 1000);
    EXPECT_TRUE(SameLevelFile(SavedImage(level, d.FileName()), BuildLevel(d), 7));
}

TEST(TrcRooms, OddTriangleTotalHasTwoCdBytesOnReadAndWrite) {
    LevelDescription d = MakeLevel(7);
    ASSERT_EQ(d.rooms[0].LayerTriangleTotal() % 2, 1u);
    ASSERT_EQ(d.rooms[1].LayerTriangleTotal() % 2, 0u);
    const BuiltLevel built = BuildLevelMapped(d);
    const std::size_t odd_end = built.at.at("room0.faces_end");
    ASSERT_EQ(built.at.at("room0.vertices"), odd_end + 2);
    ASSERT_EQ(built.at.at("room1.vertices"), built.at.at("room1.faces_end"));

    Ttrlevel level;
    ASSERT_EQ(level.LoadLevelImage(built.bytes, d.FileName()), Status::done);
    ExpectLevelMatches(level, d);
    const Bytes saved = SavedImage(level, d.FileName());
    EXPECT_TRUE(SameLevelFile(saved, built.bytes, 7));
    EXPECT_TRUE(SameBytes(Slice(saved, odd_end + LevelDataShift(saved, built), 2), Bytes{0xCD, 0xCD}));
}

TEST(TrcRooms, ThreeLightsAreWrittenAsTheirFirst85BytesAndCdFiller) {
    LevelDescription d = MakeLevel(7);
    d.rooms[0].lights = Pattern(3 * 88, 91); // not CD in bytes 85 to 87
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    EXPECT_TRUE(SameBytes(level.rooms[0].lights88, d.rooms[0].lights));
    LevelDescription expected = d;
    for (std::size_t l = 0; l < 3; ++l)
        std::fill_n(expected.rooms[0].lights.begin() + static_cast<std::ptrdiff_t>(l * 88 + 85), 3, 0xCD);
    EXPECT_TRUE(SameLevelFile(SavedImage(level, d.FileName()), BuildLevel(expected), 7));
}

TEST(TrcRooms, SizeFieldsEqualTheBytesThatFollowThem) {
    LevelDescription d = MakeLevel(7);
    d.rooms[0].filler = 37;
    d.rooms.push_back(d.rooms[1]);
    d.rooms[2].layers.clear(); // a room without layers
    d.rooms[2].filler = 3;
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const Bytes saved = SavedImage(level, d.FileName());
    const BuiltLevel built = BuildLevelMapped(d);
    EXPECT_TRUE(SameLevelFile(saved, built.bytes, 7));
    // The fixture itself has consistent sizes; the saved file must have them at the same places.
    const std::size_t shift = LevelDataShift(saved, built);
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE("room " + std::to_string(r));
        const std::string key = "room" + std::to_string(r) + ".";
        const std::size_t size_at = built.at.at(key + "size") + shift;
        ASSERT_LT(built.at.at(key + "end") + shift, saved.size());
        EXPECT_TRUE(SameBytes(Slice(saved, built.at.at(key + "xela") + shift, 4), Bytes{'X', 'E', 'L', 'A'}));
        EXPECT_EQ(U32At(saved, size_at), built.at.at(key + "end") - built.at.at(key + "size") - 4);
    }
    const std::size_t level_size_at = built.at.at("level_data_size") + shift;
    const std::size_t level_end = built.at.at("level_data_end") + shift;
    EXPECT_EQ(U32At(saved, level_size_at), level_end - level_size_at - 8);
    EXPECT_EQ(U32At(saved, level_size_at + 4), level_end - level_size_at - 8);
}

TEST(TrcRooms, FillerFieldsKeepWhatTheFileHolds) {
    // Real files carry data in the filler fields, such as the flip-room link (01 00: room 1) in the
    // last two bytes of the FF field; every filler byte comes back as read.
    LevelDescription d = MakeLevel(7);
    d.rooms[0].filler_fields = Pattern(70, 91);
    d.rooms[0].filler_fields[16] = 0x01; // bytes 12..17 are field 13
    d.rooms[0].filler_fields[17] = 0x00;
    d.rooms[1].filler_fields = StatedTrcFillers();
    d.rooms[1].filler_fields[68] = 0x42; // the 2 bytes after the portals
    const BuiltLevel built = BuildLevelMapped(d);
    Ttrlevel level;
    ASSERT_EQ(level.LoadLevelImage(built.bytes, d.FileName()), Status::done);
    EXPECT_EQ(level.rooms[0].trc_fillers.field13[4], 0x01);
    EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), built.bytes));
}

TEST(TrcRooms, FieldsTheLayoutFixesAreWrittenAsStated) {
    // "XELA" and the word after the level-data sizes are no filler: the writer puts their stated
    // values back.
    const LevelDescription d = MakeLevel(7);
    const BuiltLevel built = BuildLevelMapped(d);
    Bytes changed = built.bytes;
    std::memcpy(changed.data() + built.at.at("room0.xela"), "ABCD", 4);
    PutU32(changed, built.at.at("level_data_size") + 8, 0x12345678);
    Ttrlevel level;
    ASSERT_EQ(level.LoadLevelImage(changed, d.FileName()), Status::done);
    ExpectLevelMatches(level, d);
    EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), built.bytes));
}

TEST(TrcRooms, SamplesAreTheBytesAfterTheLevelData) {
    LevelDescription d = MakeLevel(7);
    d.samples = SampleArea({300, 400}, 3, 61); // two records and bytes after the last one
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    EXPECT_EQ(level.samples_size, 4u + 8 + 300 + 8 + 400 + 61);
    EXPECT_TRUE(SameBytes(level.samples, d.samples));
}

} // namespace
} // namespace pw
