// The object-texture operations: geometry of the vertex bytes, mirroring, grid and rectangle
// definitions, cloning, record copies and picking.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>

#include "level/object_textures.h"
#include "tests/fixtures/level_builder.h"

namespace {

using pw::tobjtexture;
using pw::tvertex_coords;

// A 64 x 64 texture at (64, 128) of page 2, not mirrored, sides 1 and 255.
tobjtexture Square() {
    tobjtexture t;
    t.attribute = 1;
    t.tile = 2;
    t.vertices = {tvertex_coords{1, 64, 1, 128}, tvertex_coords{255, 127, 1, 128},
                  tvertex_coords{255, 127, 255, 191}, tvertex_coords{1, 64, 255, 191}};
    return t;
}

// Top-left, top-right and bottom-left corners of the box (10, 20)-(40, 60); vertex 4 all zero.
tobjtexture Triangle(std::uint8_t near) {
    tobjtexture t;
    t.vertices = {tvertex_coords{near, 10, near, 20}, tvertex_coords{255, 40, near, 20},
                  tvertex_coords{near, 10, 255, 60}, tvertex_coords{}};
    t.three_vertices = true;
    return t;
}

pw::Ttrlevel LevelWithTextures(int kind, int count) {
    pw::Ttrlevel level;
    level.kind = kind;
    level.SetObjectTextureCount(count);
    for (int i = 0; i < count; ++i)
        level.object_textures[static_cast<std::size_t>(i)].attribute = static_cast<std::uint16_t>(i);
    return level;
}

TEST(ObjectTextureGeometry, TriangleTestAndBounds) {
    EXPECT_FALSE(pw::IsTriangleTexture(Square()));
    EXPECT_TRUE(pw::IsTriangleTexture(Triangle(1)));
    EXPECT_FALSE(pw::FourthVertexIsZero(Square()));
    EXPECT_TRUE(pw::FourthVertexIsZero(Triangle(1)));
    tobjtexture sides_zero = Square(); // as tools that store no side bytes write it
    sides_zero.vertices[3].xcoord = 0;
    sides_zero.vertices[3].ycoord = 0;
    EXPECT_FALSE(pw::FourthVertexIsZero(sides_zero));
    tobjtexture at_origin = Square();
    at_origin.vertices[3].xpixel = 0;
    at_origin.vertices[3].ypixel = 0;
    EXPECT_FALSE(pw::FourthVertexIsZero(at_origin));

    EXPECT_EQ(pw::TextureBounds(Square()), (pw::TextureBox{64, 128, 127, 191}));
    EXPECT_EQ(pw::TextureBounds(Triangle(1)), (pw::TextureBox{10, 20, 40, 60})); // vertex 4 ignored
    tobjtexture quad = Square();
    quad.vertices[3].ypixel = 200; // the fourth vertex reaches furthest down
    EXPECT_EQ(pw::TextureBounds(quad).max_y, 200);
    EXPECT_EQ(pw::TexturePage(tobjtexture{0, 0x8003, 0, {}, 0, 0, 0, 0, 0, false}), 3);
}

TEST(ObjectTextureMirroring, QuadrilateralsSwapVertexPairsAndRestoreWhenDoneTwice) {
    tobjtexture t = Square();
    pw::MirrorHorizontal(t);
    // Every vertex takes its partner's x bytes; the y bytes stay.
    EXPECT_EQ(t.vertices, (std::array{tvertex_coords{255, 127, 1, 128}, tvertex_coords{1, 64, 1, 128},
                                      tvertex_coords{1, 64, 255, 191}, tvertex_coords{255, 127, 255, 191}}));
    EXPECT_TRUE(pw::ReadMirrorState(t).horizontal);
    EXPECT_FALSE(pw::ReadMirrorState(t).vertical);
    pw::MirrorHorizontal(t);
    EXPECT_EQ(t, Square());

    pw::MirrorVertical(t);
    EXPECT_EQ(t.vertices, (std::array{tvertex_coords{1, 64, 255, 191}, tvertex_coords{255, 127, 255, 191},
                                      tvertex_coords{255, 127, 1, 128}, tvertex_coords{1, 64, 1, 128}}));
    EXPECT_TRUE(pw::ReadMirrorState(t).vertical);
    pw::MirrorVertical(t);
    EXPECT_EQ(t, Square());
}

TEST(ObjectTextureMirroring, KindSixQuadrilateralAtTheOriginStaysAQuadrilateral) {
    // Near sides are 0 in kinds 6 and 7, so vertex 4 of a vertically mirrored quadrilateral has zero
    // sides; it must still mirror back by swapping.
    tobjtexture t = pw::MakeRectangleTexture(pw::kind_tr4, 0, 16, 0, 79, 63);
    const tobjtexture original = t;
    pw::MirrorVertical(t);
    pw::MirrorVertical(t);
    EXPECT_EQ(t, original);
}

TEST(ObjectTextureMirroring, TrianglesStayTrianglesAndRestoreWhenDoneTwice) {
    for (std::uint8_t near : {std::uint8_t{0}, std::uint8_t{1}}) {
        const tobjtexture original = Triangle(near);
        tobjtexture t = original;
        pw::MirrorHorizontal(t);
        EXPECT_EQ(t.vertices[3], tvertex_coords{});
        EXPECT_EQ(t.vertices[0], (tvertex_coords{255, 40, near, 20})); // top-left went right
        EXPECT_EQ(t.vertices[1], (tvertex_coords{near, 10, near, 20}));
        EXPECT_EQ(t.vertices[2], (tvertex_coords{255, 40, 255, 60}));
        EXPECT_EQ(pw::TextureBounds(t), pw::TextureBounds(original));
        pw::MirrorHorizontal(t);
        EXPECT_EQ(t, original);

        pw::MirrorVertical(t);
        EXPECT_EQ(t.vertices[0], (tvertex_coords{near, 10, 255, 60}));
        EXPECT_EQ(t.vertices[2], (tvertex_coords{near, 10, near, 20}));
        EXPECT_EQ(t.vertices[3], tvertex_coords{});
        pw::MirrorVertical(t);
        EXPECT_EQ(t, original);
    }
}

TEST(ObjectTextureMirroring, StateFollowsThePixelsWhateverTheSideBytesHold) {
    // Real levels hold 127 in the side bytes, or 0 in all of them: the state must still show a mirror.
    for (std::uint8_t side : {std::uint8_t{0}, std::uint8_t{127}}) {
        tobjtexture quad = Square();
        tobjtexture triangle = Triangle(side);
        for (tobjtexture* t : {&quad, &triangle})
            for (auto& v : t->vertices)
                v.xcoord = v.ycoord = side;
        triangle.vertices[3] = tvertex_coords{};
        for (tobjtexture* t : {&quad, &triangle}) {
            EXPECT_EQ(pw::ReadMirrorState(*t), (pw::MirrorState{false, false}));
            pw::MirrorHorizontal(*t);
            EXPECT_EQ(pw::ReadMirrorState(*t), (pw::MirrorState{true, false}));
            pw::MirrorVertical(*t);
            EXPECT_EQ(pw::ReadMirrorState(*t), (pw::MirrorState{true, true}));
        }
    }
}

TEST(ObjectTextureMirroring, SideBytesDecideOnlyWherePositionsTie) {
    tobjtexture t = Triangle(1);
    t.vertices[1].xpixel = 10; // every vertex in column 10
    t.vertices[0].xcoord = 255;
    t.vertices[2].xcoord = 255;
    EXPECT_FALSE(pw::ReadMirrorState(t).horizontal); // vertices 1 and 3 on the same side
    t.vertices[2].xcoord = 1;
    EXPECT_TRUE(pw::ReadMirrorState(t).horizontal);
    EXPECT_FALSE(pw::ReadMirrorState(t).vertical); // the rows differ: vertex 1 is above vertex 3

    tobjtexture line = Square(); // one pixel high: vertices 1 and 4 share a row
    line.vertices[2].ypixel = line.vertices[3].ypixel = 128;
    EXPECT_FALSE(pw::ReadMirrorState(line).vertical);
    pw::MirrorVertical(line);
    EXPECT_TRUE(pw::ReadMirrorState(line).vertical);
}

TEST(ObjectTextureMirroring, PositionsAndSideBytesAgreeOnTexturesWithNearAndFarSides) {
    // Textures as tools that write 0 or 1 for the near side and 255 for the far side make them: the
    // rectangles of every kind, and the triangles of three clockwise corners, in any mirror sequence.
    std::vector<tobjtexture> textures;
    for (int kind = pw::kind_tr1; kind <= pw::kind_trc; ++kind) {
        const tobjtexture rect = pw::MakeRectangleTexture(kind, 0, 3, 40, 66, 41);
        textures.push_back(rect);
        for (std::size_t corner = 0; corner < 4; ++corner) { // vertex 2 is the right angle
            tobjtexture t = rect;
            for (std::size_t i = 0; i < 3; ++i)
                t.vertices[i] = rect.vertices[(corner + 3 + i) % 4];
            t.vertices[3] = tvertex_coords{};
            t.three_vertices = true;
            textures.push_back(t);
        }
    }
    const std::function<void(tobjtexture&)> mirror[2] = {pw::MirrorHorizontal, pw::MirrorVertical};
    for (const tobjtexture& original : textures) {
        for (unsigned code = 1; code < 16; ++code) { // sequences coded in the bits after the leading 1
            tobjtexture t = original;
            for (unsigned c = code; c > 1; c >>= 1)
                mirror[c & 1](t);
            EXPECT_EQ(pw::ReadMirrorState(t), pw::ReadSideMirrorState(t)) << "sequence " << code;
        }
    }
}

TEST(DefineTextures, GridOf64x64AppendsSixteenRowByRow) {
    pw::Ttrlevel level = LevelWithTextures(pw::kind_tr1, 100);
    EXPECT_EQ(pw::DefineGridTextures(level, 3, 64), 100);
    ASSERT_EQ(level.num_object_textures, 116);
    ASSERT_EQ(level.object_textures.size(), 116u);
    const tobjtexture& first = level.object_textures[100];
    EXPECT_EQ(first.tile, 3);
    EXPECT_EQ(first.attribute, 0);
    EXPECT_EQ(first.new_flags, 0x8000);
    EXPECT_EQ(first.vertices[0], (tvertex_coords{1, 0, 1, 0}));
    EXPECT_EQ(first.vertices[1], (tvertex_coords{255, 63, 1, 0}));
    EXPECT_EQ(first.vertices[2], (tvertex_coords{255, 63, 255, 63}));
    EXPECT_EQ(first.vertices[3], (tvertex_coords{1, 0, 255, 63}));
    EXPECT_EQ(first.width, 63u);
    EXPECT_EQ(first.height, 63u);
    const tobjtexture& last = level.object_textures[115];
    EXPECT_EQ(last.vertices[0], (tvertex_coords{1, 192, 1, 192}));
    EXPECT_EQ(last.vertices[2], (tvertex_coords{255, 255, 255, 255}));
    EXPECT_EQ(level.object_textures[99].attribute, 99); // earlier entries untouched
}

TEST(DefineTextures, GridOf64x16OnKind6UsesZeroForTheNearSide) {
    pw::Ttrlevel level = LevelWithTextures(pw::kind_tr4, 0);
    pw::DefineGridTextures(level, 1, 16);
    const tobjtexture& t = level.object_textures[6]; // cell row 1, column 2
    EXPECT_EQ(t.vertices[0], (tvertex_coords{0, 128, 0, 112}));
    EXPECT_EQ(t.vertices[2], (tvertex_coords{255, 191, 255, 127}));
    EXPECT_EQ(t.width, 63u);
    EXPECT_EQ(t.height, 15u);
    for (const tobjtexture& each : level.object_textures)
        for (const auto& v : each.vertices) {
            EXPECT_TRUE(v.xcoord == 0 || v.xcoord == 255);
            EXPECT_TRUE(v.ycoord == 0 || v.ycoord == 255);
        }
}

TEST(CloneAndCopyTextures, CloneAppendsAnEqualRecordAndCopiesStayInTheTable) {
    pw::Ttrlevel level = LevelWithTextures(pw::kind_tr4, 200);
    level.object_textures[5] = Square();
    level.object_textures[5].trc_extra = 7;
    EXPECT_EQ(pw::CloneTexture(level, 5), 200);
    EXPECT_EQ(level.num_object_textures, 201);
    EXPECT_EQ(level.object_textures[200], level.object_textures[5]);
    EXPECT_EQ(pw::CloneTexture(level, 200), 201);
    EXPECT_EQ(pw::CloneTexture(level, 202), -1);
    EXPECT_EQ(pw::CloneTexture(level, -1), -1);

    const tobjtexture fifth = level.object_textures[5];
    EXPECT_TRUE(pw::CopyTextureRecord(level, 5, 0));
    EXPECT_EQ(level.object_textures[0], fifth);
    EXPECT_EQ(level.object_textures[5], fifth);
    EXPECT_FALSE(pw::CopyTextureRecord(level, 5, 202));
    EXPECT_FALSE(pw::CopyTextureRecord(level, -1, 0));

    pw::Ttrlevel empty = LevelWithTextures(pw::kind_tr1, 0);
    EXPECT_EQ(pw::CloneTexture(empty, 0), -1);
    EXPECT_FALSE(pw::CopyTextureRecord(empty, 0, 0));
}

TEST(PickTexture, FirstBoxOfThePageInTableOrder) {
    pw::Ttrlevel level = LevelWithTextures(pw::kind_tr2, 4);
    level.object_textures[0] = Square();                                          // page 2
    level.object_textures[1] = pw::MakeRectangleTexture(3, 0x8003, 0, 0, 63, 63); // page 3, bit 15 set
    level.object_textures[2] = pw::MakeRectangleTexture(3, 2, 32, 96, 95, 159);   // overlaps entry 0
    level.object_textures[3] = pw::MakeRectangleTexture(3, 2, 200, 0, 220, 10);
    // Vertex 3 repeating vertex 1's column: the box takes vertex 2's.
    level.object_textures[3].vertices[2].xpixel = 200;

    EXPECT_EQ(pw::TextureAtPoint(level, 2, 80, 140), 0); // inside 0 and 2: the lower index
    EXPECT_EQ(pw::TextureAtPoint(level, 2, 40, 100), 2);
    EXPECT_EQ(pw::TextureAtPoint(level, 2, 127, 191), 0); // bounds included
    EXPECT_EQ(pw::TextureAtPoint(level, 3, 10, 10), 1);
    EXPECT_EQ(pw::TextureAtPoint(level, 2, 210, 5), 3);
    EXPECT_EQ(pw::TextureAtPoint(level, 2, 250, 250), -1);
    EXPECT_EQ(pw::TextureAtPoint(level, 0, 80, 140), -1);
}

// Every texture a level file can bring: those of the sample levels, of the fixture levels of every
// kind (also with every side byte 0, as some tools store them), and the grid cells this program defines.
std::vector<tobjtexture> TexturesOfEveryLevel() {
    std::vector<tobjtexture> all;
    const auto add = [&](pw::Ttrlevel& level) {
        all.insert(all.end(), level.object_textures.begin(), level.object_textures.end());
        pw::DefineGridTextures(level, 0, 64);
        pw::DefineGridTextures(level, 0, 16);
        all.insert(all.end(), level.object_textures.end() - 32, level.object_textures.end());
    };
    for (int kind = pw::kind_tr1; kind <= pw::kind_trc; ++kind) {
        for (bool zero_sides : {false, true}) {
            pw::fixtures::LevelDescription d = pw::fixtures::MakeLevel(kind);
            if (zero_sides)
                for (auto& t : d.object_textures)
                    for (auto& v : t.vertices)
                        v.xcoord = v.ycoord = 0;
            pw::Ttrlevel level;
            EXPECT_EQ(level.LoadLevelImage(pw::fixtures::BuildLevel(d), d.FileName()), pw::Status::done);
            add(level);
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(PW_SAMPLES_DIR)) {
        pw::Ttrlevel level;
        if (entry.path().extension() != ".md" &&
            level.LoadLevel(entry.path().string()) == pw::Status::done)
            add(level);
    }
    return all;
}

TEST(ObjectTextureMirroring, AnySequenceOfMirrorsDoneTwiceRestoresEveryTexture) {
    const std::function<void(tobjtexture&)> mirror[2] = {pw::MirrorHorizontal, pw::MirrorVertical};
    const std::vector<tobjtexture> textures = TexturesOfEveryLevel();
    ASSERT_GT(textures.size(), 400u);
    for (const tobjtexture& original : textures) {
        // Sequences of one to three mirrors, coded in the bits of `code` after its leading 1.
        for (unsigned code = 2; code < 16; ++code) {
            tobjtexture t = original;
            for (int pass = 0; pass < 2; ++pass) {
                for (unsigned c = code; c > 1; c >>= 1) {
                    mirror[c & 1](t);
                    ASSERT_EQ(pw::IsTriangleTexture(t), pw::IsTriangleTexture(original)); // draws as many
                }
            }
            ASSERT_EQ(t, original) << "sequence " << code;
        }
    }
}

TEST(ObjectTextureGeometry, VertexCountIsDecidedOnReadingFromAnAllZeroFourthVertex) {
    for (int kind = pw::kind_tr1; kind <= pw::kind_trc; ++kind) {
        pw::fixtures::LevelDescription d = pw::fixtures::MakeLevel(kind);
        for (auto& t : d.object_textures)
            for (auto& v : t.vertices)
                v.xcoord = v.ycoord = 0; // no side bytes at all: only the all-zero vertex 4 counts
        pw::Ttrlevel level;
        ASSERT_EQ(level.LoadLevelImage(pw::fixtures::BuildLevel(d), d.FileName()), pw::Status::done);
        ASSERT_EQ(level.object_textures.size(), d.object_textures.size());
        for (std::size_t i = 0; i < d.object_textures.size(); ++i)
            EXPECT_EQ(level.object_textures[i].three_vertices,
                      d.object_textures[i].vertices[3].xpixel == 0 &&
                          d.object_textures[i].vertices[3].ypixel == 0)
                << "kind " << kind << " texture " << i;
    }
    // A quadrilateral mirrored so that its fourth vertex is all zero is still drawn with four.
    tobjtexture t = pw::MakeRectangleTexture(pw::kind_tr4, 0, 0, 0, 63, 63);
    pw::MirrorVertical(t);
    EXPECT_EQ(t.vertices[3], tvertex_coords{});
    EXPECT_FALSE(pw::IsTriangleTexture(t));
    EXPECT_EQ(pw::TextureBounds(t), (pw::TextureBox{0, 0, 63, 63}));
}

} // namespace
