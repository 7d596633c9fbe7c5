// Compacting pages on levels of every kind read from their bytes: every texture shows the same pixels
// afterwards, in every depth; the page groups of kinds 6 and 7; and the packer on hand-made layouts.
#include <gtest/gtest.h>

#include <algorithm>

#include "level/object_textures.h"
#include "level/page_areas.h"
#include "level/page_compaction.h"
#include "level/rect_packer.h"
#include "level/sprite_textures.h"
#include "level/texture_cover.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;

// Bytes per pixel of each depth the kind carries (8-bit in kinds 1 to 5, 16-bit in 3 to 7, 32-bit in 6, 7).
std::vector<std::pair<const Bytes Ttrlevel::*, std::size_t>> Depths(int kind) {
    std::vector<std::pair<const Bytes Ttrlevel::*, std::size_t>> depths;
    if (kind <= 5)
        depths.push_back({&Ttrlevel::pages8, 1});
    if (kind >= 3)
        depths.push_back({&Ttrlevel::pages16, 2});
    if (kind >= 6)
        depths.push_back({&Ttrlevel::pages32, 4});
    return depths;
}

Bytes PixelAt(const Ttrlevel& level, const Bytes Ttrlevel::*block, std::size_t size, int page, int x, int y) {
    const std::size_t at = ((static_cast<std::size_t>(page) * 256 + y) * 256 + x) * size;
    const Bytes& b = level.*block;
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at),
                 b.begin() + static_cast<std::ptrdiff_t>(at + size));
}

void PutU16At(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A sprite of w x h pixels at (x, y), in the record layout of the kind.
Bytes Sprite(int kind, unsigned page, int x, int y, int w, int h) {
    Bytes s;
    PutU16(s, page);
    s.push_back(static_cast<std::uint8_t>(x));
    s.push_back(static_cast<std::uint8_t>(y));
    const bool sides = kind >= kind_tr4;
    PutU16(s, sides ? 0x1234 : static_cast<unsigned>(w * 256 - 1));
    PutU16(s, sides ? 0x5678 : static_cast<unsigned>(h * 256 - 1));
    for (const int v : sides ? std::array{x, y, x + w, y + h} : std::array{-7, -9, 11, 13})
        PutU16(s, static_cast<unsigned>(v));
    return s;
}

tobjtexture Triangle(int kind, int page) {
    const std::uint8_t n = kind >= kind_tr4 ? 0 : 1;
    tobjtexture t;
    t.tile = static_cast<std::uint16_t>(page);
    t.vertices = {tvertex_coords{n, 10, n, 20}, tvertex_coords{255, 40, n, 20},
                  tvertex_coords{n, 10, 255, 60}, tvertex_coords{}};
    return t;
}

// Five pages of distinct bytes in every depth. Page 0: a 64 x 64 corner. Page 1: a triangle and a quad
// that touches its box, and a sprite. Page 2: a quad in an animated set. Page 3: a quad whose tile has
// bit 15 set, and a sprite apart from it. Page 4: a 64 x 64 corner and a 16 x 16 one. Kinds 6 and 7
// have two room pages and three object pages.
LevelDescription FivePages(int kind) {
    LevelDescription d = MakeLevel(kind);
    d.num_pages = 5;
    const std::size_t pixels = 5 * 65536;
    d.pages8 = kind <= 5 ? Pattern(pixels, 101) : Bytes{};
    d.pages16 = kind >= 3 ? Pattern(pixels * 2, 102) : Bytes{};
    d.pages32 = kind >= 6 ? Pattern(pixels * 4, 103) : Bytes{};
    d.room_tiles = 2;
    d.object_tiles = 3;
    d.bump_tiles = 0;
    tobjtexture flagged = MakeRectangleTexture(kind, 3, 100, 100, 131, 131);
    flagged.tile |= 0x8000;
    d.object_textures = {
        MakeRectangleTexture(kind, 0, 0, 0, 63, 63),       Triangle(kind, 1),
        MakeRectangleTexture(kind, 1, 41, 20, 70, 40),     flagged,
        MakeRectangleTexture(kind, 4, 192, 192, 255, 255), MakeRectangleTexture(kind, 4, 0, 0, 15, 15),
        MakeRectangleTexture(kind, 2, 50, 50, 80, 80)};
    for (std::size_t i = 0; i < d.object_textures.size(); ++i) {
        d.object_textures[i].attribute = static_cast<std::uint16_t>(i + 1);
        d.object_textures[i].new_flags = static_cast<std::uint16_t>(0x100 + i);
        d.object_textures[i].base_u = 0x3F000000u + static_cast<std::uint32_t>(i);
        d.object_textures[i].height = 0xBF800000u;
    }
    d.sprite_textures = Sprite(kind, 3, 140, 100, 16, 16);
    for (const Bytes& more : {Sprite(kind, 1, 200, 200, 8, 8), Sprite(kind, 99, 10, 10, 4, 4)}) // on no page
        d.sprite_textures.insert(d.sprite_textures.end(), more.begin(), more.end());
    d.anim_words = {1, 0, 6};
    return d;
}

class CompactEveryKind : public ::testing::TestWithParam<int> {};

TEST_P(CompactEveryKind, EveryTextureShowsThePixelsItShowedAndMovesAsOne) {
    const int kind = GetParam();
    Ttrlevel before;
    ASSERT_EQ(Load(before, FivePages(kind)), Status::done);
    Ttrlevel after;
    ASSERT_EQ(Load(after, FivePages(kind)), Status::done);
    const CompactionPlan plan = PlanCompaction(after);
    ApplyCompaction(after, plan);

    const bool groups = kind >= kind_tr4;
    EXPECT_EQ(plan.pages_before, 5);
    EXPECT_EQ(after.num_pages, groups ? 3 : 1);
    for (const auto& [block, size] : Depths(kind))
        EXPECT_EQ((after.*block).size(), static_cast<std::size_t>(after.num_pages) * 65536 * size);
    if (groups) {
        EXPECT_EQ(after.num_room_tiles, 1);
        EXPECT_EQ(after.num_object_tiles, 2);
        EXPECT_EQ(after.num_bump_tiles, 0);
    }

    for (std::size_t i = 0; i < before.object_textures.size(); ++i) {
        const tobjtexture& o = before.object_textures[i];
        const tobjtexture& n = after.object_textures[i];
        const int dx = n.vertices[0].xpixel - o.vertices[0].xpixel;
        const int dy = n.vertices[0].ypixel - o.vertices[0].ypixel;
        const int page = n.tile & 0x7FFF;
        EXPECT_EQ(n.tile & 0x8000, o.tile & 0x8000) << i;
        ASSERT_LT(page, after.num_pages) << i;
        if (groups) { // room pages stay room pages
            EXPECT_EQ(page < after.num_room_tiles, (o.tile & 0x7FFF) < before.num_room_tiles) << i;
        }
        tobjtexture moved_back = n;
        moved_back.tile = o.tile;
        for (int v = 0; v < (o.three_vertices ? 3 : 4); ++v) {
            moved_back.vertices[v].xpixel = static_cast<std::uint8_t>(n.vertices[v].xpixel - dx);
            moved_back.vertices[v].ypixel = static_cast<std::uint8_t>(n.vertices[v].ypixel - dy);
        }
        EXPECT_EQ(moved_back, o) << "texture " << i << " keeps every other byte and moves by one offset";
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                for (const auto& [block, size] : Depths(kind)) {
                    if (TextureCoversPixel(o, x, y)) {
                        ASSERT_EQ(PixelAt(after, block, size, page, x + dx, y + dy),
                                  PixelAt(before, block, size, o.tile & 0x7FFF, x, y))
                            << "texture " << i << " pixel " << x << "," << y << " depth " << size;
                    }
                }
    }
    if (groups) { // the animated texture's whole page stays as it was
        EXPECT_EQ(after.object_textures[6].vertices, before.object_textures[6].vertices);
        const int page = after.object_textures[6].tile;
        for (const auto& [block, size] : Depths(kind))
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x)
                    ASSERT_EQ(PixelAt(after, block, size, page, x, y), PixelAt(before, block, size, 2, x, y));
    }

    for (std::size_t s = 0; s < 2; ++s) {
        const SpriteTexture o = ReadSpriteTexture(before, s);
        const SpriteTexture n = ReadSpriteTexture(after, s);
        const int dx = n.x - o.x, dy = n.y - o.y;
        SpriteTexture moved_back = n;
        moved_back.tile = o.tile;
        moved_back.x = o.x;
        moved_back.y = o.y;
        if (groups)
            moved_back.sides = {
                static_cast<std::int16_t>(n.sides[0] - dx), static_cast<std::int16_t>(n.sides[1] - dy),
                static_cast<std::int16_t>(n.sides[2] - dx), static_cast<std::int16_t>(n.sides[3] - dy)};
        EXPECT_EQ(std::tie(moved_back.width, moved_back.height, moved_back.sides),
                  std::tie(o.width, o.height, o.sides))
            << "sprite " << s;
        const PageRect r = SpriteRectangle(kind, o);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                for (const auto& [block, size] : Depths(kind))
                    ASSERT_EQ(PixelAt(after, block, size, n.tile, x + dx, y + dy),
                              PixelAt(before, block, size, o.tile, x, y))
                        << "sprite " << s;
    }

    EXPECT_TRUE(SameBytes(Slice(after.sprite_textures, 32, 16), Slice(before.sprite_textures, 32, 16)))
        << "a sprite on no page stays as it is";

    // What was written reads back as the same level.
    Ttrlevel reread;
    ASSERT_EQ(
        reread.LoadLevelImage(SavedImage(after, FivePages(kind).FileName()), FivePages(kind).FileName()),
        Status::done);
    EXPECT_EQ(reread.num_pages, after.num_pages);
    EXPECT_EQ(reread.object_textures, after.object_textures);
    EXPECT_EQ(reread.sprite_textures, after.sprite_textures);
    for (const auto& [block, size] : Depths(kind))
        EXPECT_TRUE(SameBytes(reread.*block, after.*block));
    EXPECT_EQ(std::tie(reread.num_room_tiles, reread.num_object_tiles, reread.num_bump_tiles),
              std::tie(after.num_room_tiles, after.num_object_tiles, after.num_bump_tiles));
}

TEST_P(CompactEveryKind, PagesThatCannotShrinkStayByteForByte) {
    const int kind = GetParam();
    LevelDescription d = FivePages(kind);
    d.num_pages = 2;
    for (Bytes* b : {&d.pages8, &d.pages16, &d.pages32})
        b->resize(b->size() * 2 / 5);
    d.room_tiles = 1;
    d.object_tiles = 1;
    d.object_textures = {MakeRectangleTexture(kind, 0, 0, 0, 255, 255),
                         MakeRectangleTexture(kind, 1, 1, 1, 200, 200)};
    d.sprite_textures.clear();
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const Ttrlevel original = level;
    const CompactionPlan plan = PlanCompaction(level);
    EXPECT_FALSE(plan.ChangesLevel());
    ApplyCompaction(level, plan);
    EXPECT_EQ(level.object_textures, original.object_textures);
    for (const auto& [block, size] : Depths(kind))
        EXPECT_TRUE(SameBytes(level.*block, original.*block));
}

INSTANTIATE_TEST_SUITE_P(Kinds, CompactEveryKind, ::testing::Range(1, 8));

TEST(CompactPages, APageWhoseAreasStayKeepsItsBytesAndOneCornerPerPagePacksSixteenToAPage) {
    LevelDescription d = MakeLevel(kind_tr2);
    d.num_pages = 17;
    d.pages8 = Pattern(17 * 65536, 7);
    d.pages16 = Pattern(17 * 131072, 8);
    d.object_textures.clear();
    for (int p = 0; p < 17; ++p)
        d.object_textures.push_back(MakeRectangleTexture(kind_tr2, p, 0, 0, 63, 63));
    d.sprite_textures.clear();
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const Ttrlevel original = level;
    const CompactionPlan plan = PlanCompaction(level);
    EXPECT_EQ(plan.MovedAreas(), 16);
    ApplyCompaction(level, plan);
    ASSERT_EQ(level.num_pages, 2);
    // Page 0 keeps every byte outside the fifteen corners that came in.
    std::vector<bool> arrived(65536, false);
    for (int t = 1; t < 16; ++t) {
        const TextureBox b = TextureBounds(level.object_textures[static_cast<std::size_t>(t)]);
        for (int y = b.min_y; y <= b.max_y; ++y)
            for (int x = b.min_x; x <= b.max_x; ++x)
                arrived[static_cast<std::size_t>(y * 256 + x)] = true;
    }
    for (int i = 0; i < 65536; ++i)
        if (!arrived[static_cast<std::size_t>(i)]) {
            ASSERT_EQ(level.pages8[static_cast<std::size_t>(i)], original.pages8[static_cast<std::size_t>(i)])
                << i;
        }
}

TEST(CompactPages, KindsSixAndSevenKeepBumpPagesWholeAndCountsNeverWrap) {
    LevelDescription d = FivePages(kind_tr4);
    d.room_tiles = 1;
    d.object_tiles = 3;
    d.bump_tiles = 1; // page 4: a bump page, which no texture names
    d.object_textures.resize(4);
    d.anim_words.clear();
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const Ttrlevel original = level;
    ApplyCompaction(level, PlanCompaction(level));
    EXPECT_EQ(std::tie(level.num_room_tiles, level.num_object_tiles, level.num_bump_tiles),
              std::make_tuple(std::uint16_t{1}, std::uint16_t{1}, std::uint16_t{1}));
    ASSERT_EQ(level.num_pages, 3);
    EXPECT_EQ(level.object_textures[0], original.object_textures[0]); // a room page, kept with its bump map
    for (const auto& [block, size] : Depths(kind_tr4))
        EXPECT_TRUE(SameBytes(Slice(level.*block, 2 * 65536 * size, 65536 * size),
                              Slice(original.*block, 4 * 65536 * size, 65536 * size)));

    // Counts of zero with pages past them: those pages pack, and no count goes below zero.
    d = FivePages(kind_trc);
    d.room_tiles = d.object_tiles = d.bump_tiles = 0;
    ASSERT_EQ(Load(level, d), Status::done);
    ApplyCompaction(level, PlanCompaction(level));
    EXPECT_LT(level.num_pages, 5);
    EXPECT_EQ(std::tie(level.num_room_tiles, level.num_object_tiles, level.num_bump_tiles),
              std::make_tuple(std::uint16_t{0}, std::uint16_t{0}, std::uint16_t{0}));
}

// ---- The packer and the areas ----

bool Overlap(const PackRect& a, const PackRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(RectPacker, FillsAFullPageAndAOnePixelPageAndRefusesWhatDoesNotFit) {
    RectPacker full(256, 256);
    EXPECT_EQ(full.Insert(256, 256), (PackRect{0, 0, 256, 256}));
    EXPECT_FALSE(full.Insert(1, 1));
    RectPacker pixel(1, 1);
    EXPECT_FALSE(pixel.Insert(2, 1));
    EXPECT_EQ(pixel.Insert(1, 1), (PackRect{0, 0, 1, 1}));
    EXPECT_FALSE(pixel.Insert(1, 1));

    // More areas than fit: sixteen 64 x 64 squares and nothing more; then mixed sizes never overlap.
    RectPacker page(256, 256);
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(page.Insert(64, 64)) << i;
    EXPECT_FALSE(page.Insert(1, 1));
    RectPacker mixed(256, 256);
    std::vector<PackRect> placed;
    int area = 0;
    for (int i = 0; i < 400; ++i) {
        const int w = 1 + (i * 37) % 61, h = 1 + (i * 53) % 47;
        if (const auto r = mixed.Insert(w, h)) {
            EXPECT_EQ(std::make_pair(r->Width(), r->Height()), std::make_pair(w, h));
            EXPECT_TRUE(r->left >= 0 && r->top >= 0 && r->right <= 256 && r->bottom <= 256);
            for (const PackRect& p : placed)
                ASSERT_FALSE(Overlap(p, *r));
            placed.push_back(*r);
            area += w * h;
        }
    }
    EXPECT_GT(area, 65536 * 85 / 100) << "best short side fit fills most of a page";
    // A rectangle taken where it lies leaves the rest free.
    RectPacker kept(256, 256);
    kept.Take({0, 0, 256, 128});
    EXPECT_EQ(kept.Insert(256, 128), (PackRect{0, 128, 256, 256}));
}

TEST(PageAreas, BoxesThatTouchAtAnEdgeOrCornerOrThroughTheirJoinedBoxBecomeOne) {
    const std::vector<PackRect> layout = {
        {0, 0, 10, 10},       {10, 0, 20, 10},                            // edge to edge
        {30, 30, 40, 40},     {40, 40, 50, 50},                           // corner to corner
        {60, 0, 70, 10},      {71, 0, 80, 10},                            // one pixel apart: two areas
        {100, 100, 101, 120}, {100, 119, 130, 120}, {120, 105, 125, 110}, // inside the L's joined box
    };
    const std::vector<PackRect> expected = {
        {0, 0, 20, 10}, {60, 0, 70, 10}, {71, 0, 80, 10}, {30, 30, 50, 50}, {100, 100, 130, 120}};
    EXPECT_EQ(JoinTouchingBoxes(layout), expected);
    // The same with many separate single pixels beside them, which takes the picture of the page.
    std::vector<PackRect> many = layout;
    std::vector<PackRect> many_expected = expected;
    for (int x = 0; x < 256; x += 2) {
        many.push_back({x, 250, x + 1, 251});
        many_expected.push_back({x, 250, x + 1, 251});
    }
    std::reverse(many.begin(), many.end());
    EXPECT_EQ(JoinTouchingBoxes(many), many_expected);
}

TEST(PageAreas, ASpriteWhoseSidesLeaveThePageKeepsItsPageWhole) {
    for (const int kind : {kind_tr4, kind_trc}) {
        LevelDescription d = FivePages(kind);
        d.sprite_textures = Sprite(kind, 4, 250, 0, 6, 6); // sides 250..256: inside
        const Bytes left = Sprite(kind, 4, 0, 100, 4, 4);  // from column 0: inside
        d.sprite_textures.insert(d.sprite_textures.end(), left.begin(), left.end());
        Bytes edge = Sprite(kind, 3, 0, 0, 0, 0);
        PutU16At(edge, 8, 256); // left 256: past the last column
        PutU16At(edge, 12, 256);
        d.sprite_textures.insert(d.sprite_textures.end(), edge.begin(), edge.end());
        Ttrlevel level;
        ASSERT_EQ(Load(level, d), Status::done);
        EXPECT_FALSE(FindPageAreas(level, 4).whole_page);
        const auto areas = FindPageAreas(level, 4).areas;
        EXPECT_TRUE(std::any_of(areas.begin(), areas.end(), [](const PageArea& a) {
            return a.box == PackRect{250, 0, 256, 6};
        }));
        EXPECT_TRUE(FindPageAreas(level, 3).whole_page);
    }
    LevelDescription d = FivePages(kind_tr2); // corner and size: 250 + 6 fits, 250 + 7 does not
    d.sprite_textures = Sprite(kind_tr2, 4, 250, 0, 6, 6);
    const Bytes past = Sprite(kind_tr2, 3, 250, 0, 7, 6);
    d.sprite_textures.insert(d.sprite_textures.end(), past.begin(), past.end());
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    EXPECT_FALSE(FindPageAreas(level, 4).whole_page);
    EXPECT_TRUE(FindPageAreas(level, 3).whole_page);
}

} // namespace
} // namespace pw
