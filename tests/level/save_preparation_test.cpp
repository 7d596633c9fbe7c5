// The fix-up every save makes to the 16-bit pages first.
#include <gtest/gtest.h>

#include <vector>

#include "level/layout.h"
#include "level/save_preparation.h"

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
    pw::Ttrlevel level;
    level.kind = pw::kind_tr2;
    level.num_pages = 1;
    level.pages16.assign(pw::layout::kPage16Bytes, 0);
    for (std::size_t i = 0; i < words.size(); ++i) {
        level.pages16[2 * i] = static_cast<std::uint8_t>(words[i]);
        level.pages16[2 * i + 1] = static_cast<std::uint8_t>(words[i] >> 8);
    }

    pw::PrepareLevelForSave(level);

    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::uint16_t expected = words[i] == 0 ? 0 : words[i] | 0x8000;
        const auto actual = static_cast<std::uint16_t>(level.pages16[2 * i] | level.pages16[2 * i + 1] << 8);
        ASSERT_EQ(actual, expected) << "word " << i << " (place " << i % 4 << " of its four), was "
                                    << words[i];
    }
}
