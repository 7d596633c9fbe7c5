// Which object textures and sprite textures cover a page pixel, on levels of every kind read from
// their bytes, and the free area that is left.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "level/object_textures.h"
#include "level/sprite_textures.h"
#include "level/texture_cover.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;
using PixelSet = std::set<std::pair<int, int>>;

constexpr int kPage = 1;

std::uint8_t Near(int kind) {
    return kind >= kind_tr4 ? 0 : 1;
}

// The rectangle (x0, y0)-(x1, y1) of page kPage, vertices clockwise from the top-left.
tobjtexture Quad(int kind, int x0, int y0, int x1, int y1) {
    return MakeRectangleTexture(kind, kPage, x0, y0, x1, y1);
}

// The triangle through the top-left, top-right and bottom-left corners of (10, 20)-(40, 60); the
// fourth vertex all zero.
tobjtexture Triangle(int kind) {
    const std::uint8_t n = Near(kind);
    tobjtexture t;
    t.tile = kPage;
    t.vertices = {tvertex_coords{n, 10, n, 20}, tvertex_coords{255, 40, n, 20},
                  tvertex_coords{n, 10, 255, 60}, tvertex_coords{}};
    return t;
}

bool InTriangle(int x, int y) { // on or above the line from (40, 20) to (10, 60)
    return x >= 10 && y >= 20 && (x - 10) * 40 + (y - 20) * 30 <= 30 * 40;
}

void PutU16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A sprite record: tile, x, y, width, height and the four i16.
Bytes Sprite(unsigned tile, unsigned x, unsigned y, unsigned width, unsigned height, int l, int t, int r,
             int b) {
    Bytes s;
    PutU16(s, tile);
    s.push_back(static_cast<std::uint8_t>(x));
    s.push_back(static_cast<std::uint8_t>(y));
    PutU16(s, width);
    PutU16(s, height);
    for (const int v : {l, t, r, b})
        PutU16(s, static_cast<unsigned>(v));
    return s;
}

PixelSet Covered(const tobjtexture& t) {
    PixelSet set;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            if (TextureCoversPixel(t, x, y))
                set.insert({x, y});
    return set;
}

class CoverEveryKind : public ::testing::TestWithParam<int> {
protected:
    // Texture 0 a quad (100, 100)-(163, 131), 1 the triangle, 2 a quad at the page's corner that a
    // vertical mirror leaves with an all-zero fourth vertex, 3 the same quad on page 0. Sprite 0 is
    // (200, 10)-(216, 18) exclusive on page kPage, in the layout of the level's kind.
    Ttrlevel ReadLevel() {
        const int kind = GetParam();
        LevelDescription d = MakeLevel(kind);
        d.object_textures = {Quad(kind, 100, 100, 163, 131), Triangle(kind), Quad(kind, 0, 0, 31, 31),
                             MakeRectangleTexture(kind, 0, 100, 100, 163, 131)};
        d.sprite_textures = kind >= kind_tr4
                                ? Sprite(kPage, 200, 10, 0x1234, 0x5678, 200, 10, 216, 18)
                                : Sprite(kPage, 200, 10, 16 * 256 - 1, 8 * 256 - 1, -1, -1, 0, 0);
        Ttrlevel level;
        EXPECT_EQ(Load(level, d), Status::done);
        return level;
    }
};

TEST_P(CoverEveryKind, QuadsTrianglesAndSpritesCoverTheirPixels) {
    const Ttrlevel level = ReadLevel();
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            PixelCover expected;
            if (x < 32 && y < 32)
                expected.textures.push_back(2);
            if (x >= 100 && x <= 163 && y >= 100 && y <= 131)
                expected.textures.push_back(0);
            if (InTriangle(x, y))
                expected.textures.insert(expected.textures.begin(), 1);
            std::sort(expected.textures.begin(), expected.textures.end());
            if (x >= 200 && x < 216 && y >= 10 && y < 18)
                expected.sprites.push_back(0);
            ASSERT_EQ(CoverAt(level, kPage, x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(CoverAt(level, 0, 120, 120).textures, std::vector<int>{3});
}

TEST_P(CoverEveryKind, MaskAgreesWithThePixelQueryAndCountsTheFreeArea) {
    const Ttrlevel level = ReadLevel();
    const auto mask = CoverMask(level, kPage);
    ASSERT_EQ(mask.size(), 65536u);
    std::size_t free = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const PixelCover c = CoverAt(level, kPage, x, y);
            const bool covered = !c.textures.empty() || !c.sprites.empty();
            ASSERT_EQ(mask[static_cast<std::size_t>(y * 256 + x)] != 0, covered) << x << "," << y;
            free += covered ? 0 : 1;
        }
    }
    EXPECT_EQ(FreePixelCount(mask), free);
    std::size_t expected_free = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            expected_free += !(x < 32 && y < 32) && !(x >= 100 && x <= 163 && y >= 100 && y <= 131) &&
                             !InTriangle(x, y) && !(x >= 200 && x < 216 && y >= 10 && y < 18);
    EXPECT_EQ(free, expected_free);
}

TEST_P(CoverEveryKind, MirroringKeepsAQuadsPixelsAndReflectsATriangles) {
    const Ttrlevel level = ReadLevel();
    for (const int index : {0, 2}) {
        tobjtexture quad = level.object_textures[static_cast<std::size_t>(index)];
        const PixelSet before = Covered(quad);
        MirrorVertical(quad);
        EXPECT_EQ(Covered(quad), before) << "texture " << index;
        MirrorHorizontal(quad);
        EXPECT_EQ(Covered(quad), before) << "texture " << index;
    }
    tobjtexture triangle = level.object_textures[1];
    const PixelSet before = Covered(triangle);
    MirrorHorizontal(triangle);
    PixelSet reflected;
    for (const auto& [x, y] : before)
        reflected.insert({10 + 40 - x, y});
    EXPECT_EQ(Covered(triangle), reflected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CoverEveryKind, ::testing::Range(1, 8));

TEST(SpriteTextures, CountStopsAtTheWholeRecordsStored) {
    Ttrlevel level;
    level.kind = kind_tr1;
    level.SetSpriteTextureCount(3);
    level.sprite_textures.resize(2 * 16 + 5);
    EXPECT_EQ(SpriteTextureCount(level), 2u);
}

TEST(SpriteTextures, RectanglesAreCutToThePage) {
    SpriteTexture s;
    s.tile = 3;
    s.x = 250;
    s.y = 4;
    s.width = 64 * 256 - 1;
    s.height = 0;
    EXPECT_EQ(SpriteRectangle(kind_tr2, s), (PageRect{3, 250, 4, 256, 4}));
    s.sides = {-20, 5, 300, 2};
    EXPECT_EQ(SpriteRectangle(kind_trc, s), (PageRect{3, 0, 5, 256, 5}));
}

// A pixel lies inside a convex outline when it is on the same side of every edge (or on one): a
// half-plane test, apart from the winding count the program uses.
bool InConvex(const std::vector<PagePoint>& points, int x, int y) {
    bool left = false, right = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PagePoint a = points[i], b = points[(i + 1) % points.size()];
        const long long side =
            static_cast<long long>(b.x - a.x) * (y - a.y) - static_cast<long long>(b.y - a.y) * (x - a.x);
        left = left || side > 0;
        right = right || side < 0;
    }
    return !(left && right);
}

// The rectangle (20, 30)-(80, 70) with one coordinate of one vertex moved 10 inwards, so that its
// sides run along the axes in three places of four; then a quad slanted everywhere. Each in both
// turning directions: the mask holds the pixels inside the outline, not its bounding box.
TEST(CoverMask, AQuadWithSlantedSidesCoversOnlyThePixelsInsideIt) {
    const std::vector<PagePoint> rectangle{{20, 30}, {80, 30}, {80, 70}, {20, 70}};
    std::vector<std::vector<PagePoint>> quads;
    for (std::size_t corner = 0; corner < 4; ++corner) {
        for (const bool along_x : {true, false}) {
            std::vector<PagePoint> quad = rectangle;
            int& moved = along_x ? quad[corner].x : quad[corner].y;
            moved += moved < 50 ? 10 : -10; // the centre is (50, 50)
            quads.push_back(quad);
        }
    }
    quads.push_back({{30, 30}, {80, 40}, {70, 70}, {20, 60}});
    for (std::size_t i = 0, n = quads.size(); i < n; ++i)
        quads.push_back({quads[i][0], quads[i][3], quads[i][2], quads[i][1]});

    for (const auto& quad : quads) {
        Ttrlevel level;
        level.kind = kind_tr4;
        tobjtexture t;
        t.tile = 0;
        for (std::size_t v = 0; v < 4; ++v)
            t.vertices[v] = {0, static_cast<std::uint8_t>(quad[v].x), 0,
                             static_cast<std::uint8_t>(quad[v].y)};
        level.object_textures = {t};
        level.num_object_textures = 1;
        const std::vector<std::uint8_t> mask = CoverMask(level, 0);
        std::size_t wrong = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                wrong += (mask[static_cast<std::size_t>(y) * 256 + x] != 0) != InConvex(quad, x, y);
        EXPECT_EQ(wrong, 0u) << "(" << quad[0].x << "," << quad[0].y << ") (" << quad[1].x << "," << quad[1].y
                             << ") (" << quad[2].x << "," << quad[2].y << ") (" << quad[3].x << ","
                             << quad[3].y << ")";
    }
}

} // namespace
} // namespace pw
