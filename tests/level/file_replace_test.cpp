// Replacing a file's contents: names at the system's limit, targets reached through links, targets that
// are no files, and what a save killed half way leaves behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "level/file_replace.h"
#include "level/safe_write.h"
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
    ASSERT_TRUE(ReplaceFileContents(longest, Bytes{1, 2, 3}));
    EXPECT_EQ(ReadFile(longest), (Bytes{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("")), fs::directory_iterator()), 1);
}

TEST(FileReplace, WritesTheFileAChainOfLinksPointsToAndKeepsTheLinks) {
    TempDir dir;
    fs::create_directory(dir.File("real"));
    WriteFile(dir.File("real/level.tr4"), Bytes{9});
    fs::create_symlink("real/level.tr4", dir.File("first"));
    fs::create_symlink(dir.File("first"), dir.File("second"));
    ASSERT_TRUE(ReplaceFileContents(dir.File("second"), Bytes{4, 5}));
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
    ASSERT_TRUE(ReplaceFileContents(dir.File("open.tr4"), Bytes{4, 5}));
    EXPECT_EQ(ReadFile(dir.File("levels/level.tr4")), (Bytes{4, 5}));
    EXPECT_FALSE(fs::exists(dir.File("level.tr4")));
    EXPECT_EQ(fs::status(dir.File("levels/level.tr4")).permissions(), mode);
}

TEST(FileReplace, PipesAndLinksToThemAreRefusedAndLeftAsTheyWere) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe.png").c_str(), 0600), 0);
    fs::create_symlink("pipe.png", dir.File("link.png"));
    for (const char* name : {"pipe.png", "link.png"}) {
        const Result result = ReplaceFileContents(dir.File(name), Bytes{1});
        EXPECT_EQ(result, Status::file_error) << name;
        EXPECT_NE(result.reason.find("not a regular file"), std::string::npos) << result.reason;
    }
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe.png")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.png")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("")), fs::directory_iterator()), 2);
}

TEST(FileReplace, AWriteThatReportsAFailureLeavesTheTargetAsItWas) {
    TempDir dir;
    WriteFile(dir.File("level.tr4"), Bytes{1, 2, 3});
    const Result result = ReplaceFileContents(dir.File("level.tr4"), [](std::FILE* f) {
        std::fputs("half of the new level", f);
        return Result{Status::file_error, "the disk is full"};
    });
    EXPECT_EQ(result.reason, "the disk is full");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"level.tr4"});
    EXPECT_EQ(ReadFile(dir.File("level.tr4")), (Bytes{1, 2, 3}));
}

TEST(FileReplace, ADanglingLinkGetsItsFileWritten) {
    TempDir dir;
    fs::create_symlink("made.tr4", dir.File("dangling"));
    ASSERT_TRUE(ReplaceFileContents(dir.File("dangling"), Bytes{7}));
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling")));
    EXPECT_EQ(ReadFile(dir.File("made.tr4")), (Bytes{7}));
}

// Where the folder's file system makes unnamed files, a save killed while it writes leaves the target
// as it was and no other entry in the folder.
TEST(FileReplace, ASaveKilledWhileWritingLeavesNothingBehind) {
    TempDir dir;
    const int probe = ::open(dir.File("").c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "the file system makes no unnamed files";
    ::close(probe);
    WriteFile(dir.File("level.tr4"), Bytes{1, 2, 3});
    const pid_t child = ::fork();
    if (child == 0) {
        static_cast<void>(ReplaceFileContents(dir.File("level.tr4"), [](std::FILE* f) {
            std::fputs("half of the new level", f);
            std::fflush(f);
            std::raise(SIGKILL);
            return Result{};
        }));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"level.tr4"});
    EXPECT_EQ(ReadFile(dir.File("level.tr4")), (Bytes{1, 2, 3}));
}

// Where no unnamed file can be made, the hidden temporary file is removed by the signals that end the
// command-line tool.
TEST(SafeWrite, ANamedTemporaryIsRemovedWhenASignalEndsTheWrite) {
    TempDir dir;
    WriteFile(dir.File("level.tr4"), Bytes{1, 2, 3});
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        const pid_t child = ::fork();
        if (child == 0) {
            RemoveTemporariesOnSignals();
            static_cast<void>(WriteFileSafely(dir.File("level.tr4"),
                                              [signal](std::FILE* f) {
                                                  std::fputs("half of the new level", f);
                                                  std::fflush(f);
                                                  std::raise(signal);
                                                  return std::string();
                                              },
                                              {.unnamed = false}));
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"level.tr4"}) << signal;
    }
    EXPECT_EQ(ReadFile(dir.File("level.tr4")), (Bytes{1, 2, 3}));
}

// Written either way, with or without flushing, a new file is an ordinary one (the creation mask
// applied, not the owner-only mode of a temporary file) and an existing one is replaced keeping its mode.
TEST(SafeWrite, EveryWayMakesOrdinaryFilesAndKeepsAReplacedFilesMode) {
    TempDir dir;
    const mode_t mask = ::umask(022);
    const auto write = [](const char* text) {
        return [text](std::FILE* f) { return std::fputs(text, f) >= 0 ? std::string() : "full"; };
    };
    for (const SafeWriteOptions how :
         {SafeWriteOptions{}, SafeWriteOptions{.sync = false, .unnamed = false}}) {
        fs::remove(dir.File("page.png"));
        ASSERT_EQ(WriteFileSafely(dir.File("page.png"), write("new"), how), "");
        struct stat info {};
        ASSERT_EQ(::stat(dir.File("page.png").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0644u);
        ASSERT_EQ(::chmod(dir.File("page.png").c_str(), 0640), 0);
        ASSERT_EQ(WriteFileSafely(dir.File("page.png"), write("again"), how), "");
        ASSERT_EQ(::stat(dir.File("page.png").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u);
        EXPECT_EQ(ReadFile(dir.File("page.png")), (Bytes{'a', 'g', 'a', 'i', 'n'}));
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"page.png"});
    }
    ::umask(mask);
}

// A new file gets the mode the process's mask leaves of 0666, as any program's new file does; a file
// replaced keeps its own mode.
TEST(FileReplace, ANewFileTakesTheMaskAndAReplacedOneKeepsItsMode) {
    TempDir dir;
    for (const mode_t mask : {mode_t{022}, mode_t{027}}) {
        const mode_t before = ::umask(mask);
        const std::string name = dir.File("new" + std::to_string(mask) + ".tr4");
        const bool written = static_cast<bool>(ReplaceFileContents(name, Bytes{1}));
        ::umask(before);
        ASSERT_TRUE(written);
        struct stat info {};
        ASSERT_EQ(::stat(name.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask) << "mask " << std::oct << mask;
    }
    WriteFile(dir.File("kept.tr4"), Bytes{1});
    ASSERT_EQ(::chmod(dir.File("kept.tr4").c_str(), 0604), 0);
    ASSERT_TRUE(ReplaceFileContents(dir.File("kept.tr4"), Bytes{2}));
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("kept.tr4").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
}

} // namespace
} // namespace pw
