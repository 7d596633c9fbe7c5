// Replacing a file's contents: names at the system's limit and targets reached through links.
#include <gtest/gtest.h>

#include <filesystem>

#include "level/file_replace.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

namespace fs = std::filesystem;
using fixtures::ReadFile;
using fixtures::TempDir;
using fixtures::WriteFile;

TEST(FileReplace, WritesNamesUpToTheLongestTheSystemAllows) {
    TempDir dir;
    const std::string longest = dir.File(std::string(255, 'n'));
    ReplaceFileContents(longest, Bytes{1, 2, 3});
    EXPECT_EQ(ReadFile(longest), (Bytes{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("")), fs::directory_iterator()), 1);
}

TEST(FileReplace, WritesTheFileAChainOfLinksPointsToAndKeepsTheLinks) {
    TempDir dir;
    fs::create_directory(dir.File("real"));
    WriteFile(dir.File("real/level.tr4"), Bytes{9});
    fs::create_symlink("real/level.tr4", dir.File("first"));
    fs::create_symlink(dir.File("first"), dir.File("second"));
    ReplaceFileContents(dir.File("second"), Bytes{4, 5});
    EXPECT_TRUE(fs::is_symlink(dir.File("first")));
    EXPECT_TRUE(fs::is_symlink(dir.File("second")));
    EXPECT_EQ(ReadFile(dir.File("real/level.tr4")), (Bytes{4, 5}));
}

} // namespace
} // namespace pw
