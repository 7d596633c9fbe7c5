// Writing pixels into level pages: which depths change, the value each depth gets, and that nothing
// outside the written rectangle moves. Expected words and bytes are worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "level/page_access.h"
#include "level/page_writing.h"
#include "level/palette_matcher.h"
#include "tests/fixtures/level_builder.h"

namespace {

using pw::Bytes;
using pw::fixtures::Pattern;

pw::Ttrlevel BlankLevel(int kind, int pages) {
    pw::Ttrlevel level;
    level.kind = kind;
    level.num_pages = pages;
    const auto n = static_cast<std::size_t>(pages);
    if (pw::CarriesDepth(kind, pw::PageDepth::bits8))
        level.pages8 = Pattern(n * 65536, 11);
    if (pw::CarriesDepth(kind, pw::PageDepth::bits16))
        level.pages16 = Pattern(n * 131072, 12);
    if (pw::CarriesDepth(kind, pw::PageDepth::bits32))
        level.pages32 = Pattern(n * 262144, 13);
    // Entry 1 full red, 2 full blue, 3 = (40, 80, 120) as shown, 4 and 5 two reds 40 apart.
    level.palette[3] = 63;
    level.palette[8] = 63;
    level.palette[9] = 10, level.palette[10] = 20, level.palette[11] = 30;
    level.palette[12] = 20;
    level.palette[15] = 30;
    return level;
}

struct Source {
    std::vector<std::uint32_t> argb;
    std::vector<std::uint8_t> stored32;
    pw::PixelSource View(int width, int height, bool alpha = false) const {
        pw::PixelSource source;
        source.width = width;
        source.height = height;
        source.argb = argb;
        source.has_alpha = alpha;
        source.stored32 = stored32;
        return source;
    }
};

std::size_t At8(int page, int x, int y) {
    return static_cast<std::size_t>(page) * 65536 + static_cast<std::size_t>(y) * 256 + x;
}
std::uint16_t Word(const pw::Ttrlevel& l, int page, int x, int y) {
    const std::size_t at = 2 * At8(page, x, y);
    return static_cast<std::uint16_t>(l.pages16[at] | l.pages16[at + 1] << 8);
}
Bytes Pixel32(const pw::Ttrlevel& l, int page, int x, int y) {
    const std::size_t at = 4 * At8(page, x, y);
    return Bytes(l.pages32.begin() + static_cast<std::ptrdiff_t>(at),
                 l.pages32.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

// Every byte of `after` equals `before` except the pixels of the rectangle on `page`.
::testing::AssertionResult OnlyRectChanged(const Bytes& before, const Bytes& after, int bytes_per_pixel,
                                           int page, int left, int top, int width, int height) {
    if (before.size() != after.size())
        return ::testing::AssertionFailure() << "size changed";
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::size_t pixel = i / bytes_per_pixel;
        const int p = static_cast<int>(pixel / 65536);
        const int y = static_cast<int>(pixel % 65536 / 256);
        const int x = static_cast<int>(pixel % 256);
        const bool inside = p == page && x >= left && x < left + width && y >= top && y < top + height;
        if (!inside && before[i] != after[i])
            return ::testing::AssertionFailure() << "byte " << i << " outside the rectangle changed";
    }
    return ::testing::AssertionSuccess();
}

TEST(PaletteMatcher, TakesTheNearestDisplayedOpaqueEntryAndTheLowestIndexOnTies) {
    const pw::Ttrlevel level = BlankLevel(1, 1);
    pw::PaletteMatcher matcher(level.palette);
    EXPECT_EQ(matcher.Match(250, 5, 5), 1);   // red, not blue: entry 1 is (252, 0, 0)
    EXPECT_EQ(matcher.Match(5, 5, 250), 2);   // blue
    EXPECT_EQ(matcher.Match(40, 80, 120), 3); // exact
    EXPECT_EQ(matcher.Match(120, 80, 40), 4); // swapped channels: (80, 0, 0) looks nearest (by RGB: 5)
    EXPECT_EQ(matcher.Match(80, 0, 0), 4);    // exact
    EXPECT_EQ(matcher.Match(0, 0, 0), 6);     // black is entry 0 and every unused entry: the lowest opaque
    // Cached answers are the answers.
    for (int c = 0; c < 256; c += 5)
        EXPECT_EQ(matcher.Match(c, 255 - c, c / 2), matcher.Nearest(c, 255 - c, c / 2)) << c;
    EXPECT_EQ(matcher.Match(80, 0, 0), 4);
}

TEST(WritePagePixels, Kind1WritesOnlyThe8BitTileThroughThePalette) {
    pw::Ttrlevel level = BlankLevel(1, 3);
    const Bytes before = level.pages8;
    Source src{std::vector<std::uint32_t>(64 * 64, 0xFF2850A0u), {}};
    src.argb[0] = 0xFFFA0505u;  // red
    src.argb[1] = 0xFF0505FAu;  // blue
    src.argb[64] = 0xFF285078u; // (40, 80, 120)
    pw::PaletteMatcher matcher(level.palette);
    pw::WritePagePixels(level, 1, 64, 192, src.View(64, 64), &matcher);

    EXPECT_EQ(level.pages8[At8(1, 64, 192)], 1);
    EXPECT_EQ(level.pages8[At8(1, 65, 192)], 2);
    EXPECT_EQ(level.pages8[At8(1, 64, 193)], 3);
    EXPECT_TRUE(OnlyRectChanged(before, level.pages8, 1, 1, 64, 192, 64, 64));
    EXPECT_TRUE(level.pages16.empty());
    EXPECT_TRUE(level.pages32.empty());
}

TEST(WritePagePixels, Kind3WritesTruncated16BitWordsWithTheOpaqueFlag) {
    pw::Ttrlevel level = BlankLevel(3, 2);
    const Bytes before8 = level.pages8;
    const Bytes before16 = level.pages16;
    Source src{std::vector<std::uint32_t>(64 * 64, 0xFFF88408u), {}};
    src.argb[1] = 0xFFFFFFFFu;
    src.argb[2] = 0xFF070707u;
    pw::WritePagePixels(level, 0, 128, 0, src.View(64, 64), nullptr);

    EXPECT_EQ(Word(level, 0, 128, 0), 0xFE01);  // 31, 16, 1
    EXPECT_EQ(Word(level, 0, 129, 0), 0xFFFF);  // white
    EXPECT_EQ(Word(level, 0, 130, 0), 0x8000);  // below one step in every channel, yet opaque
    EXPECT_EQ(level.pages8[At8(0, 129, 0)], 3); // white: (40, 80, 120) is the nearest entry
    EXPECT_TRUE(OnlyRectChanged(before16, level.pages16, 2, 0, 128, 0, 64, 64));
    EXPECT_TRUE(OnlyRectChanged(before8, level.pages8, 1, 0, 128, 0, 64, 64));
}

TEST(WritePagePixels, Kind6Writes32BitPixelsOpaqueOrAllZero) {
    pw::Ttrlevel level = BlankLevel(6, 2);
    const Bytes before16 = level.pages16;
    const Bytes before32 = level.pages32;
    Source src{std::vector<std::uint32_t>(64 * 64, 0xFFF88408u), {}};
    src.argb[1] = 0xFF070707u; // word 0: all four bytes zero
    src.argb[2] = 0xFF080000u; // word 0x0400: opaque
    src.argb[3] = 0xFF000000u; // black: transparent
    pw::WritePagePixels(level, 1, 0, 64, src.View(64, 64), nullptr);

    EXPECT_EQ(Pixel32(level, 1, 0, 64), (Bytes{0x08, 0x84, 0xF8, 0xFF}));
    EXPECT_EQ(Pixel32(level, 1, 1, 64), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Pixel32(level, 1, 2, 64), (Bytes{0x00, 0x00, 0x08, 0xFF}));
    EXPECT_EQ(Pixel32(level, 1, 3, 64), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Word(level, 1, 2, 64), 0x8400);
    EXPECT_TRUE(OnlyRectChanged(before16, level.pages16, 2, 1, 0, 64, 64, 64));
    EXPECT_TRUE(OnlyRectChanged(before32, level.pages32, 4, 1, 0, 64, 64, 64));
    EXPECT_TRUE(level.pages8.empty());
}

TEST(WritePagePixels, AlphaPicturesAreTransparentAtAlphaZeroAndOpaqueElsewhere) {
    pw::Ttrlevel level = BlankLevel(5, 1);
    Source src{{0x00C86432u, 0x80000000u, 0xFFFA0505u, 0x01F88408u}, {}};
    pw::PaletteMatcher matcher(level.palette);
    pw::WritePagePixels(level, 0, 10, 20, src.View(4, 1, true), &matcher);
    EXPECT_EQ(level.pages8[At8(0, 10, 20)], 0);
    EXPECT_EQ(level.pages8[At8(0, 12, 20)], 1);
    EXPECT_EQ(Word(level, 0, 10, 20), 0x0000);
    EXPECT_EQ(Word(level, 0, 11, 20), 0x8000); // opaque black
    EXPECT_EQ(Word(level, 0, 13, 20), 0xFE01);

    pw::Ttrlevel tr4 = BlankLevel(6, 1);
    pw::WritePagePixels(tr4, 0, 10, 20, src.View(4, 1, true), nullptr);
    EXPECT_EQ(Pixel32(tr4, 0, 10, 20), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Pixel32(tr4, 0, 11, 20), (Bytes{0, 0, 0, 0x80}));
    EXPECT_EQ(Pixel32(tr4, 0, 13, 20), (Bytes{0x08, 0x84, 0xF8, 0x01}));
}

TEST(WritePagePixels, Stored32BitPixelsAreCopiedAsTheyAre) {
    pw::Ttrlevel level = BlankLevel(7, 1);
    Source src{{0xFF000000u, 0xFF000000u}, {1, 2, 3, 0, 0, 0, 0, 0xFF}};
    pw::WritePagePixels(level, 0, 0, 0, src.View(2, 1), nullptr);
    EXPECT_EQ(Pixel32(level, 0, 0, 0), (Bytes{1, 2, 3, 0}));
    EXPECT_EQ(Pixel32(level, 0, 1, 0), (Bytes{0, 0, 0, 0xFF})); // opaque black stays opaque
}

TEST(WritePagePixels, ClipsAtThePageEdgeAndIgnoresMissingPages) {
    pw::Ttrlevel level = BlankLevel(6, 2);
    const Bytes before32 = level.pages32;
    Source src{std::vector<std::uint32_t>(64 * 64, 0xFFFFFFFFu), {}};
    pw::WritePagePixels(level, 0, 240, 250, src.View(64, 64), nullptr);
    EXPECT_TRUE(OnlyRectChanged(before32, level.pages32, 4, 0, 240, 250, 16, 6));
    EXPECT_EQ(Pixel32(level, 0, 255, 255), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));

    const Bytes unchanged = level.pages32;
    pw::WritePagePixels(level, 2, 0, 0, src.View(64, 64), nullptr); // no page 2
    pw::WritePagePixels(level, -1, 0, 0, src.View(64, 64), nullptr);
    pw::WritePagePixels(level, 0, 0, 0, src.View(65, 64), nullptr); // fewer colours than claimed
    EXPECT_EQ(level.pages32, unchanged);
}

} // namespace
