// The opaque-flag fix-up an edited save makes to the 16-bit words it writes.
#include <gtest/gtest.h>

#include <vector>

#include "level/block_content.h"
#include "level/layout.h"
#include "level/save_preparation.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

TEST(SavePreparation, OpaqueFlagGoesOnEveryWordButZeroAndNeverSpillsIntoTheNext) {
    // Every group of four words drawn from the values at the edges of a carry, in every order, so that
    // zero words sit beside flagged and unflagged ones at each position of a group.
    const std::uint16_t values[] = {0x0000, 0x0001, 0x7FFF, 0x8000, 0x8001, 0xFFFF};
    std::vector<std::uint16_t> words;
    for (std::uint16_t a : values)
        for (std::uint16_t b : values)
            for (std::uint16_t c : values)
                for (std::uint16_t d : values)
                    words.insert(words.end(), {a, b, c, d});
    std::vector<std::uint8_t> bytes(pw::layout::kPage16Bytes, 0);
    for (std::size_t i = 0; i < words.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(words[i]);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(words[i] >> 8);
    }

    pw::SetOpaqueFlags(bytes);

    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::uint16_t expected = words[i] == 0 ? 0 : words[i] | 0x8000;
        const auto actual = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        ASSERT_EQ(actual, expected) << "word " << i << " (place " << i % 4 << " of its four), was "
                                    << words[i];
    }
}

namespace pw {
namespace {

using namespace fixtures;

// A file whose 16-bit words all carry the flag, read, one word's flag cleared in the record (as a tile
// copy from a picture without alpha leaves it): the edited save writes the word flagged, so the file
// comes back byte for byte (kinds 6 and 7: its block passes through as read), and the record keeps the
// word as it was, its other fields untouched.
TEST(SaveLevelAsEdited, FlagsGoOnTheBytesWrittenAndTheRecordStaysAsItWas) {
    for (int kind : {3, 6, 7}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        LevelDescription d = MakeLevel(kind);
        for (std::size_t at = 0; at + 1 < d.pages16.size(); at += 2)
            if ((d.pages16[at] | d.pages16[at + 1]) != 0)
                d.pages16[at + 1] |= 0x80;
        d.pages16[1001] = 0x80; // a word whose only bit is the flag
        d.pages16[1000] = 0x00;
        const Bytes file = BuildLevel(d);
        Ttrlevel level;
        ASSERT_EQ(level.LoadLevelImage(file, d.FileName()), Status::done);
        level.pages16[1001] = 0x00;
        level.pages16[1000] = 0x00; // now transparent: must stay 0 in the file
        level.pages16[2001] &= 0x7F;
        const Bytes pages16 = level.pages16;
        const std::int32_t packed16 = static_cast<std::int32_t>(level.packed16);

        const Bytes saved =
            SavedImage(level, d.FileName(), EditedSavePlan(level, ParseAnimatedSets(level.anim_words)));

        LevelDescription expected = d;
        expected.pages16[1001] = 0x00;
        EXPECT_TRUE(SameLevelFile(saved, BuildLevel(expected), kind));
        EXPECT_TRUE(SameBytes(level.pages16, pages16));
        EXPECT_EQ(static_cast<std::int32_t>(level.packed16), packed16);
        EXPECT_EQ(level.kind, kind);
    }
}

} // namespace
} // namespace pw
