// Tiles and pages copied from one level into another through the document: transparent source pixels
// land on index 0, opaque ones never do (opaque black included), the 8-bit and 16-bit depths of the
// level written agree, and between equal palettes the indices travel as stored.
#include <gtest/gtest.h>

#include <random>

#include "document/level_document.h"
#include "level/page_access.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/palettes.h"
#include "tests/fixtures/test_support.h"

namespace {

using namespace pw::fixtures;

constexpr std::array<std::uint8_t, 3> kBlack{0, 0, 0};
constexpr std::array<std::uint8_t, 3> kMagenta{63, 0, 63};

std::uint16_t Word(const pw::Bytes& pages16, std::size_t pixel) {
    return static_cast<std::uint16_t>(pages16[2 * pixel] | pages16[2 * pixel + 1] << 8);
}

// Two pages whose depths agree, as real levels keep them: index 0 is word 0 is alpha 0; the black
// entries that repeat entry 0 are used often and are opaque (word 0x8000).
LevelDescription SourceLevel(int kind, const std::array<std::uint8_t, 768>& palette, std::uint32_t seed) {
    LevelDescription level = MakeLevel(kind);
    level.num_pages = 2;
    level.palette = palette;
    std::mt19937 random(seed);
    std::vector<std::uint8_t> indices(2 * 65536);
    for (auto& index : indices) {
        const unsigned roll = random() % 8;
        index = static_cast<std::uint8_t>(roll == 0 ? 0 : roll == 1 ? 6 + random() % 6 : random() % 256);
    }
    if (kind <= 5)
        level.pages8 = indices;
    if (kind >= 3)
        level.pages16.resize(2 * indices.size());
    if (kind >= 6)
        level.pages32.resize(4 * indices.size());
    for (std::size_t i = 0; i < indices.size() && kind >= 3; ++i) {
        const std::uint8_t* c = &palette[3 * std::size_t{indices[i]}];
        const std::uint16_t word =
            indices[i] == 0
                ? 0
                : static_cast<std::uint16_t>(0x8000 | (c[0] >> 1) << 10 | (c[1] >> 1) << 5 | c[2] >> 1);
        level.pages16[2 * i] = static_cast<std::uint8_t>(word);
        level.pages16[2 * i + 1] = static_cast<std::uint8_t>(word >> 8);
        if (kind >= 6) {
            const std::uint8_t alpha = indices[i] == 0 ? 0 : 0xFF;
            const std::uint8_t bgra[4] = {static_cast<std::uint8_t>(alpha ? c[2] * 4 : 0),
                                          static_cast<std::uint8_t>(alpha ? c[1] * 4 : 0),
                                          static_cast<std::uint8_t>(alpha ? c[0] * 4 : 0), alpha};
            std::copy(bgra, bgra + 4, level.pages32.begin() + static_cast<std::ptrdiff_t>(4 * i));
        }
    }
    return level;
}

class PalettedCopies : public ::testing::TestWithParam<std::tuple<int, int, bool>> {};

TEST_P(PalettedCopies, TransparencyAndIndicesSurviveTileAndPageCopies) {
    const auto [source_kind, target_kind, same_palette] = GetParam();
    const auto source_palette = RealLookingPalette(41, kBlack);
    TempDir dir;
    LevelDescription source = SourceLevel(source_kind, source_palette, 5);
    LevelDescription target =
        SourceLevel(target_kind, same_palette ? source_palette : RealLookingPalette(42, kMagenta), 6);
    const std::string source_file =
        dir.File("source" + source.FileName().substr(source.FileName().rfind('.')));
    const std::string target_file =
        dir.File("target" + target.FileName().substr(target.FileName().rfind('.')));
    WriteFile(source_file, BuildLevel(source));
    WriteFile(target_file, BuildLevel(target));

    LevelDocument doc;
    ASSERT_EQ(doc.Open(QString::fromStdString(target_file), nullptr), pw::Status::done);
    ASSERT_EQ(doc.OpenSource(QString::fromStdString(source_file), nullptr), pw::Status::done);
    doc.SetSelectedTile({128, 64, 192, 128});
    doc.CopyTile(0, 1, 70, 200); // source tile (64, 192) of page 1 onto (128, 64) of page 0
    doc.CopyPage(1, 0);

    const pw::Ttrlevel& level = doc.Level();
    const auto check = [&](std::size_t to, std::size_t from) {
        // The source level's depths agree, so its 8-bit page says which pixels are transparent; kinds
        // without 8-bit pages were built from the same indices.
        const std::uint8_t source_index = source.pages8.empty() ? 0 : source.pages8[from];
        const bool clear = source.pages8.empty() ? Word(source.pages16, from) == 0 : source_index == 0;
        ASSERT_EQ(level.pages8[to] == 0, clear) << "pixel " << to;
        if (!level.pages16.empty()) {
            ASSERT_EQ(Word(level.pages16, to) == 0, clear) << "pixel " << to;
        }
        if (same_palette && !source.pages8.empty()) {
            ASSERT_EQ(level.pages8[to], source_index) << "pixel " << to;
        }
    };
    for (std::size_t y = 0; y < 64; ++y)
        for (std::size_t x = 0; x < 64; ++x)
            check((64 + y) * 256 + 128 + x, 65536 + (192 + y) * 256 + 64 + x);
    for (std::size_t i = 0; i < 65536; ++i)
        check(65536 + i, i);
}

INSTANTIATE_TEST_SUITE_P(KindPairs, PalettedCopies,
                         ::testing::Combine(::testing::Values(1, 3, 4, 6), ::testing::Values(1, 3, 5),
                                            ::testing::Bool()));

} // namespace
