// Reading the animated-texture sets out of anim_words and storing them back.
#include <gtest/gtest.h>

#include "level/animated_sets.h"

using pw::AnimatedSets;
using Words = std::vector<std::uint16_t>;

TEST(AnimatedSetsTest, ParsesEverySetItHolds) {
    EXPECT_EQ(pw::ParseAnimatedSets({}), AnimatedSets{});
    EXPECT_EQ(pw::ParseAnimatedSets({0}), AnimatedSets{});
    EXPECT_EQ(pw::ParseAnimatedSets({2, 2, 10, 11, 12, 0, 7}), (AnimatedSets{{10, 11, 12}, {7}}));
    // Words after the sets that word 0 counts are not sets.
    EXPECT_EQ(pw::ParseAnimatedSets({1, 0, 7, 3, 3, 3}), (AnimatedSets{{7}}));
}

TEST(AnimatedSetsTest, HostileCountsYieldOnlyCompleteSets) {
    // 65535 sets claimed, one present.
    EXPECT_EQ(pw::ParseAnimatedSets({0xFFFF, 0, 5}), (AnimatedSets{{5}}));
    // The second set claims three frames and holds one; a set claiming 65536 frames holds none.
    EXPECT_EQ(pw::ParseAnimatedSets({3, 1, 3, 4, 2, 9}), (AnimatedSets{{3, 4}}));
    EXPECT_EQ(pw::ParseAnimatedSets({1, 0xFFFF, 1, 2}), AnimatedSets{});
}

TEST(AnimatedSetsTest, StoringSkipsEmptySetsAndCountsTheRest) {
    EXPECT_EQ(pw::AnimatedSetWords({{}, {1, 2}, {}}), (Words{1, 1, 1, 2}));
    EXPECT_EQ(pw::AnimatedSetWords({}), (Words{0}));
    EXPECT_EQ(pw::AnimatedWordCount({{}, {1, 2}, {3}}), 6u);

    pw::Ttrlevel level;
    level.SetAnimWordCount(9);
    pw::StoreAnimatedSets(level, {{10, 11, 12}});
    EXPECT_EQ(level.anim_words, (Words{1, 2, 10, 11, 12}));
    EXPECT_EQ(level.num_anim_words, 5);
    // Every set deleted: the list stays, holding only its count.
    pw::StoreAnimatedSets(level, {});
    EXPECT_EQ(level.anim_words, Words{0});
    EXPECT_EQ(level.num_anim_words, 1);
}

TEST(AnimatedSetsTest, LevelWithoutTheListKeepsItAbsentWithoutSets) {
    pw::Ttrlevel level;
    pw::StoreAnimatedSets(level, {{}});
    EXPECT_TRUE(level.anim_words.empty());
    EXPECT_EQ(level.num_anim_words, 0);
    pw::StoreAnimatedSets(level, {{4}});
    EXPECT_EQ(level.anim_words, (Words{1, 0, 4}));
}
