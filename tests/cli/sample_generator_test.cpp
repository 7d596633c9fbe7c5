// The committed sample levels are what the sample generator makes: it is run into a temporary folder
// and every file is compared byte for byte with samples/. Every sample also resaves unchanged.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "level/trlevel.h"
#include "tests/fixtures/test_support.h"

namespace {

namespace fs = std::filesystem;
using pw::fixtures::Bytes;
using pw::fixtures::ReadFile;
using pw::fixtures::SameBytes;

TEST(SampleGenerator, MakesTheCommittedSamplesByteForByte) {
    pw::fixtures::TempDir dir;
    const std::string command = std::string(PW_MAKE_SAMPLES_PATH) + " " + dir.Path().string() + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::size_t compared = 0;
    for (const auto& entry : fs::directory_iterator(PW_SAMPLES_DIR)) {
        if (entry.path().extension() == ".md")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const fs::path made = dir.Path() / entry.path().filename();
        ASSERT_TRUE(fs::exists(made)) << "the generator no longer makes it";
        EXPECT_TRUE(SameBytes(ReadFile(made.string()), ReadFile(entry.path().string())));
        ++compared;
    }
    EXPECT_EQ(dir.Entries().size(), compared) << "the generator makes files that are not committed";
    EXPECT_EQ(compared, 6u);
}

TEST(SampleGenerator, EverySampleResavesByteForByte) {
    pw::fixtures::TempDir dir;
    for (const auto& entry : fs::directory_iterator(PW_SAMPLES_DIR)) {
        if (entry.path().extension() == ".md")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        pw::Ttrlevel level;
        ASSERT_EQ(level.LoadLevel(entry.path().string()), pw::Status::done);
        const std::string out = dir.File(entry.path().filename().string());
        ASSERT_EQ(level.SaveLevel(out), pw::Status::done);
        EXPECT_TRUE(SameBytes(ReadFile(out), ReadFile(entry.path().string())));
    }
}

TEST(SampleGenerator, KindSevenSampleHoldsWhatRealFilesHold) {
    // Other readers size their buffers from these header words and expect three pages in the third
    // texture block.
    pw::Ttrlevel level;
    ASSERT_EQ(level.LoadLevel((fs::path(PW_SAMPLES_DIR) / "sample_trc.trc").string()), pw::Status::done);
    EXPECT_EQ(level.misc32_size, 3 * 262144);
    for (const pw::troom& room : level.rooms) {
        std::int32_t rectangles = 0, triangles = 0;
        for (const auto& block : room.layers.rectangle_blocks)
            rectangles += block.count;
        for (const auto& block : room.layers.triangle_blocks)
            triangles += block.count;
        EXPECT_EQ(room.trc_word(16), triangles);
        EXPECT_EQ(room.trc_word(17), rectangles);
        EXPECT_EQ(room.trc_word(19), room.num_lights * 88);
        EXPECT_EQ(room.trc_word(20), room.num_lights);
        EXPECT_EQ(room.trc_word(9), 0x7FFF);
        EXPECT_EQ(room.trc_fillers.field13,
                  (std::array<std::uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    }
}

} // namespace
