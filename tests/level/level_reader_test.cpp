// Reading level files of all seven kinds, laid out byte by byte by the fixture builder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <tuple>

#include "level/trlevel.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/level_expectations.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;

class ReadEveryKind : public ::testing::TestWithParam<int> {};

TEST_P(ReadEveryKind, EveryFieldLandsInItsPlace) {
    const LevelDescription d = MakeLevel(GetParam());
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    ExpectLevelMatches(level, d);
}

TEST_P(ReadEveryKind, ZlibWrappedFileReadsLikeThePlainOne) {
    LevelDescription d = MakeLevel(GetParam());
    Ttrlevel plain;
    ASSERT_EQ(Load(plain, d), Status::done);
    d.zlib_wrap = true;
    Ttrlevel wrapped;
    ASSERT_EQ(Load(wrapped, d), Status::done);
    ExpectLevelMatches(wrapped, d);
    EXPECT_TRUE(SameLevelFile(SavedImage(wrapped, d.FileName()), SavedImage(plain, d.FileName()), d.kind));
}

TEST_P(ReadEveryKind, EmptySectionsGiveEmptyArrays) {
    LevelDescription d = MakeLevel(GetParam());
    d.object_textures.clear();
    d.anim_words = {0};
    d.floor_data.clear();
    d.items.clear();
    d.cinematics.clear();
    d.sample_indices.clear();
    d.rooms[1].portals.clear();
    d.rooms[1].statics.clear();
    d.rooms[1].lights.clear();
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    ExpectLevelMatches(level, d);
    EXPECT_TRUE(level.object_textures.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReadEveryKind, ::testing::Range(1, 8),
                         [](const auto& info) { return "kind" + std::to_string(info.param); });

TEST(LevelReader, ReadsFromAFileOnDisk) {
    TempDir dir;
    const LevelDescription d = MakeLevel(3);
    const std::string path = dir.File("level.tr2");
    WriteFile(path, BuildLevel(d));
    Ttrlevel level;
    ASSERT_EQ(level.LoadLevel(path), Status::done);
    ExpectLevelMatches(level, d);
}

TEST(LevelReader, PathThatCannotBeSearchedIsAnInputOutputError) {
    // A loop of links cannot be told from a missing file by its name: it is an error of the system,
    // not "no such file".
    TempDir dir;
    std::filesystem::create_symlink(dir.Path() / "loop", dir.Path() / "loop");
    Ttrlevel level;
    EXPECT_EQ(level.LoadLevel((dir.Path() / "loop" / "level.phd").string()), Status::file_error);
    EXPECT_FALSE(level.IsLoaded());
}

TEST(LevelReader, FileInAFolderWithoutSearchPermissionIsAnInputOutputError) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold for root";
    TempDir dir;
    const auto folder = dir.Path() / "locked";
    std::filesystem::create_directory(folder);
    WriteFile((folder / "level.phd").string(), BuildLevel(MakeLevel(1)));
    std::filesystem::permissions(folder, std::filesystem::perms::none);
    Ttrlevel level;
    EXPECT_EQ(level.LoadLevel((folder / "level.phd").string()), Status::file_error);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

// Opens a pipe for writing when a reader still waits on it after a second, so that a reader that blocks
// ends instead of hanging the suite. Stop() tells whether that was needed.
class PipeUnblocker {
public:
    explicit PipeUnblocker(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}
    ~PipeUnblocker() { Stop(); }
    bool Stop() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return unblocked_;
    }

private:
    void Run() {
        using namespace std::chrono_literals;
        std::unique_lock lock(mutex_);
        for (auto wait = 1000ms; !wake_.wait_for(lock, wait, [this] { return done_; }); wait = 20ms) {
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK); // fails while nobody reads
            if (fd >= 0) {
                unblocked_ = true;
                ::close(fd);
            }
        }
    }
    std::string path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> unblocked_{false};
    std::thread thread_;
};

TEST(LevelReader, PipeNamedLikeALevelIsRefusedWithoutWaiting) {
    TempDir dir;
    const std::string pipe = dir.File("level.tr4");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    PipeUnblocker unblocker(pipe);
    Ttrlevel level;
    const Result result = level.LoadLevel(pipe);
    EXPECT_EQ(result, Status::file_error);
    EXPECT_NE(result.reason.find("level.tr4: not a regular file"), std::string::npos) << result.reason;
    EXPECT_FALSE(unblocker.Stop()) << "reading waited for a writer";
    EXPECT_FALSE(level.IsLoaded());
}

// A level saved under the name of the other layout of its version is refused with a reason that says
// which layout it is (.tr2 and .trg levels share theirs).
TEST(LevelReader, ALevelRenamedToTheOtherLayoutIsNamedInTheReason) {
    const std::vector<std::tuple<int, const char*, const char*>> renamed = {
        {1, "level.tub", "This is a .phd level named .tub"},
        {2, "level.phd", "This is a .tub level named .phd"},
        {6, "level.trc", "This is a .tr4 level named .trc"},
        {7, "level.tr4", "This is a .trc level named .tr4"},
        {2, "level", "This is a .tub level, but its name has no extension"}};
    TempDir dir;
    for (const auto& [kind, name, reason] : renamed) {
        WriteFile(dir.File(name), BuildLevel(MakeLevel(kind)));
        Ttrlevel level;
        const Result result = level.LoadLevel(dir.File(name));
        EXPECT_EQ(result, Status::not_a_level) << name;
        EXPECT_EQ(result.reason, reason);
    }
}

TEST(LevelReader, InvalidFileGivesItsReason) {
    LevelDescription d = MakeLevel(3);
    d.count_override["mesh_pointers"] = 0x00FFFFFF;
    Ttrlevel level;
    const Result result = Load(level, d);
    ASSERT_EQ(result, Status::not_a_level);
    EXPECT_NE(result.reason.find("mesh pointers"), std::string::npos) << result.reason;
    EXPECT_NE(result.reason.find("offset"), std::string::npos) << result.reason;
    EXPECT_EQ(Load(level, MakeLevel(3)).reason, "");
}

TEST(LevelReader, ReasonsGiveOffsetsInTheFileBehindTheFirstBlock) {
    for (int kind : {6, 7}) {
        LevelDescription d = MakeLevel(kind);
        ASSERT_FALSE(d.misc32.empty());
        // The third block, read after the 32-bit block's bytes are let go, inflates to more than it claims.
        d.unpacked_override[2] = static_cast<std::uint32_t>(d.misc32.size() - 1);
        const BuiltLevel built = BuildLevelMapped(d);
        const std::size_t block = built.at.at("file.block2");
        const std::size_t end = block + 8 + U32At(built.bytes, block + 4);
        Ttrlevel level;
        const Result result = level.LoadLevelImage(built.bytes, d.FileName());
        ASSERT_EQ(result, Status::not_a_level);
        const std::string where = "(offset " + std::to_string(end) + " in the file)";
        EXPECT_NE(result.reason.find(where), std::string::npos) << result.reason;
    }
}

TEST(LevelReader, MissingFileIsResultOne) {
    TempDir dir;
    Ttrlevel level;
    EXPECT_EQ(level.LoadLevel(dir.File("nothing.phd")), Status::no_such_file);
    EXPECT_FALSE(level.IsLoaded());
}

struct KindCase {
    std::uint32_t version;
    const char* name;
    int kind;
};

class KindRecognition : public ::testing::TestWithParam<KindCase> {};

// The kind comes from the version word and the spelling of the file name (anywhere in it; the
// folders of the path do not count).
TEST_P(KindRecognition, VersionAndNameSelectTheKind) {
    const KindCase c = GetParam();
    EXPECT_EQ(KindForVersion(c.version, c.name), c.kind);
    LevelDescription d = MakeLevel(c.kind);
    d.version = c.version;
    Ttrlevel level;
    ASSERT_EQ(level.LoadLevelImage(BuildLevel(d), c.name), Status::done);
    EXPECT_EQ(level.kind, c.kind);
    EXPECT_EQ(level.version, c.version);
    ExpectLevelMatches(level, d);
}

INSTANTIATE_TEST_SUITE_P(
    Names, KindRecognition,
    ::testing::Values(
        KindCase{0x20, "level.phd", 1}, KindCase{0x20, "level.TUB.phd", 2}, KindCase{0x20, "level.tub", 2},
        KindCase{0x20, "level.Tub", 1}, KindCase{0x2D, "level.tr2", 3}, KindCase{0x2D, "LEVEL.TRG", 4},
        KindCase{0x2D, "x.trg.tr2", 4}, KindCase{0x2D, "level.Trg", 3}, KindCase{0xFF080038, "level.tr2", 5},
        KindCase{0xFF180038, "level.trc", 5}, KindCase{0x00345254, "level.tr4", 6},
        KindCase{0xFFFFFFF0, "level.tr4", 6}, KindCase{0x00345254, "level.TRC", 7},
        KindCase{0xFFFFFFF0, "level.trc", 7}, KindCase{0xFFFFFFF0, "level.Trc", 6},
        KindCase{0x20, "dir.tub/level.phd", 1}, KindCase{0x20, "a/b/level.TUB.phd", 2},
        KindCase{0x2D, "levels.trg/x.tr2", 3}, KindCase{0x00345254, "old.trc/level.tr4", 6},
        KindCase{0x00345254, "C:\\old.TRC\\level.tr4", 6}, KindCase{0x00345254, "levels.tr4/level.trc", 7}));

TEST(LevelReader, UnknownVersionWordsSelectNoKind) {
    EXPECT_FALSE(IsKnownVersion(0x21));
    EXPECT_FALSE(IsKnownVersion(0xFF080039));
    EXPECT_FALSE(IsKnownVersion(0x42494C5A)); // "ZLIB"
    EXPECT_EQ(KindForVersion(0x12345678, "level.tub"), kind_none);
    for (std::uint32_t v : {0x20u, 0x2Du, 0xFF080038u, 0xFF180038u, 0x00345254u, 0xFFFFFFF0u})
        EXPECT_TRUE(IsKnownVersion(v)) << std::hex << v;
}

TEST(LevelReader, AlternativeTr4VersionWordReadsExactlyLikeTheUsualOne) {
    for (int kind : {6, 7}) {
        LevelDescription usual = MakeLevel(kind);
        LevelDescription alternative = usual;
        alternative.version = 0xFFFFFFF0;
        Ttrlevel a, b;
        ASSERT_EQ(Load(a, usual), Status::done);
        ASSERT_EQ(Load(b, alternative), Status::done);
        ExpectLevelMatches(b, alternative);
        // Apart from the version word, the files written back are the same.
        Bytes first = SavedImage(a, usual.FileName());
        Bytes second = SavedImage(b, usual.FileName());
        ASSERT_GE(second.size(), 4u);
        EXPECT_EQ(U32At(second, 0), 0xFFFFFFF0u);
        PutU32(second, 0, 0x00345254);
        EXPECT_TRUE(SameLevelFile(second, first, kind));
    }
}

TEST(LevelReader, TexturesOnlyStopsAfterThePagesForKindsThreeToSeven) {
    for (int kind = 3; kind <= 7; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const LevelDescription d = MakeLevel(kind);
        Ttrlevel level;
        ASSERT_EQ(Load(level, d, true), Status::done);
        EXPECT_TRUE(level.IsLoaded());
        EXPECT_EQ(level.kind, kind);
        EXPECT_EQ(level.num_pages, 2);
        if (kind <= 5) {
            EXPECT_TRUE(SameBytes(level.pages8, d.pages8));
            EXPECT_EQ(level.palette, d.palette);
            EXPECT_EQ(level.palette16, d.palette16);
        } else {
            EXPECT_TRUE(SameBytes(level.pages32, d.pages32));
        }
        EXPECT_TRUE(SameBytes(level.pages16, d.pages16));
        EXPECT_EQ(level.num_rooms, 0);
        EXPECT_TRUE(level.rooms.empty());
        EXPECT_EQ(level.num_object_textures, 0);
        EXPECT_TRUE(level.object_textures.empty());
    }
}

TEST(LevelReader, TexturesOnlyReadsKindsOneAndTwoWhole) {
    for (int kind : {1, 2}) {
        const LevelDescription d = MakeLevel(kind);
        Ttrlevel level;
        ASSERT_EQ(Load(level, d, true), Status::done);
        ExpectLevelMatches(level, d);
    }
}

TEST(LevelReader, KindSixPageCountComesFromTheSixteenBitBlock) {
    LevelDescription d = MakeLevel(6);
    d.num_pages = 3;
    d.pages32.resize(3 * 262144, 0x44);
    d.pages16.resize(3 * 131072 + 100, 0x55); // whole pages only
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    EXPECT_EQ(level.size16, 3 * 131072 + 100);
    EXPECT_EQ(level.num_pages, 3);
    EXPECT_EQ(level.page8_bytes, 3 * 65536);
}

TEST(LevelReader, TwinFormsAreDerivedFromTheFormInTheFile) {
    // Item bytes chosen so that every byte of the derivation shows; vertices are checked with the rest.
    for (int kind : {1, 3, 6}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        LevelDescription d = MakeLevel(kind);
        d.items.clear();
        for (std::size_t i = 0; i < 2 * ItemSize(kind); ++i)
            d.items.push_back(static_cast<std::uint8_t>(0xA0 + i));
        Ttrlevel level;
        ASSERT_EQ(Load(level, d), Status::done);
        if (kind == 1) {
            // 22-byte item 0: bytes A0..B5. Words 18 and 20 of the 24-byte form widen bytes 18 and 19.
            const Bytes want = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB,
                                0xAC, 0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0x00, 0xB3, 0x00, 0xB4, 0xB5};
            EXPECT_TRUE(SameBytes(Slice(level.items24, 0, 24), want));
        } else {
            // 24-byte item 0: bytes A0..B7. Byte 19 of the 22-byte form is byte 20, then word 22.
            const Bytes want = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA,
                                0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB4, 0xB6, 0xB7};
            EXPECT_TRUE(SameBytes(Slice(level.items22, 0, 22), want));
        }
        ExpectLevelMatches(level, d);
    }
}

TEST(LevelReader, ProgressRunsThroughTheStagesOfTheRead) {
    RecordingGauge gauge;
    Ttrlevel level;
    level.gauge = &gauge;
    ASSERT_EQ(Load(level, MakeLevel(1)), Status::done);
    EXPECT_EQ(gauge.Steps(), (std::vector<int>{0, 30, 50, 65, 80, 85, 90, 100, 0}));
}

TEST(LevelReader, RoomProgressIsARoundedRunningSum) {
    LevelDescription d = MakeLevel(3);
    while (d.rooms.size() < 7)
        d.rooms.push_back(d.rooms[d.rooms.size() % 2]);
    RecordingGauge gauge;
    Ttrlevel level;
    level.gauge = &gauge;
    ASSERT_EQ(Load(level, d), Status::done);
    // 30 / 7 per room: 4.29, 8.57, 12.86, 17.14, 21.43, 25.71, 30.
    EXPECT_EQ(gauge.Steps(), (std::vector<int>{0, 30, 50, 54, 59, 63, 67, 71, 76, 80, 85, 90, 100, 0}));
}

TEST(LevelReader, ProgressOfCompressedKindsAndOfASecondRead) {
    RecordingGauge gauge;
    Ttrlevel level;
    level.gauge = &gauge;
    ASSERT_EQ(Load(level, MakeLevel(7)), Status::done);
    EXPECT_EQ(gauge.Steps(), (std::vector<int>{0, 20, 30, 40, 65, 80, 85, 90, 100, 0}));
    gauge.values.clear();
    ASSERT_EQ(Load(level, MakeLevel(6)), Status::done);
    EXPECT_EQ(gauge.Steps(), (std::vector<int>{0, 10, 20, 30, 40, 50, 65, 80, 85, 90, 100, 0}));
}

TEST(LevelReader, TexturesOnlyProgressEndsAtZeroAfterThePages) {
    RecordingGauge gauge;
    Ttrlevel level;
    level.gauge = &gauge;
    ASSERT_EQ(Load(level, MakeLevel(3), true), Status::done);
    EXPECT_EQ(gauge.Steps(), (std::vector<int>{0, 30, 50, 0}));
}

TEST(LevelReader, SecondReadReleasesThePagesOfTheFirstLevelsDepths) {
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(6)), Status::done);
    ASSERT_FALSE(level.pages32.empty());
    const LevelDescription d = MakeLevel(1);
    ASSERT_EQ(Load(level, d), Status::done);
    EXPECT_TRUE(level.pages16.empty());
    EXPECT_TRUE(level.pages32.empty());
    EXPECT_TRUE(level.misc_pages32.empty());
    ExpectLevelMatches(level, d);
}

TEST(LevelReader, ResultTwoAfterALevelLeavesNoLevel) {
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(3)), Status::done);
    EXPECT_EQ(level.LoadLevelImage(Bytes{1, 2, 3, 4, 5, 6, 7, 8}, "bad.tr2"), Status::not_a_level);
    EXPECT_FALSE(level.IsLoaded());
    EXPECT_EQ(level.version, 0u);
    TempDir dir;
    EXPECT_EQ(level.SaveLevel(dir.File("bad.tr2")), Status::nothing_loaded);
    EXPECT_TRUE(dir.Entries().empty());
}

} // namespace
} // namespace pw
