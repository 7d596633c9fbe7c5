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

// Each relative link is read from its own folder, and the file it ends at keeps its mode, not the one the
// temporary file was created with.
TEST(FileReplace, FollowsRelativeLinksFromTheirOwnFoldersAndKeepsTheMode) {
    TempDir dir;
    fs::create_directory(dir.File("levels"));
    WriteFile(dir.File("levels/level.tr4"), Bytes{9});
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(dir.File("levels/level.tr4"), mode);
    fs::create_symlink("level.tr4", dir.File("levels/current"));
    fs::create_symlink("levels/current", dir.File("open.tr4"));
    ReplaceFileContents(dir.File("open.tr4"), Bytes{4, 5});
    EXPECT_EQ(ReadFile(dir.File("levels/level.tr4")), (Bytes{4, 5}));
    EXPECT_FALSE(fs::exists(dir.File("level.tr4")));
    EXPECT_EQ(fs::status(dir.File("levels/level.tr4")).permissions(), mode);
}

} // namespace
} // namespace pw
