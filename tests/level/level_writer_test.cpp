// Writing levels: round trips against files laid out by the fixture builder, kind changes through
// the file name, kept trailing bytes, and saves that fail without harming the user's file.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

#include "level/level_errors.h"
#include "level/trlevel.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/level_expectations.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;

// Reads the file of `read`, saves it under `save_name` and compares with the file of `expected`.
::testing::AssertionResult ResavesAs(const LevelDescription& read, const std::string& save_name,
                                     const LevelDescription& expected) {
    Ttrlevel level;
    if (const Result result = Load(level, read); !result)
        return ::testing::AssertionFailure() << "LoadLevel: " << result.reason;
    return SameLevelFile(SavedImage(level, save_name), BuildLevel(expected), expected.kind);
}

class WriteEveryKind : public ::testing::TestWithParam<int> {};

// Every kind comes back byte for byte: kinds 6 and 7 write their unchanged blocks as read.
TEST_P(WriteEveryKind, ResaveGivesTheSameFile) {
    const LevelDescription d = MakeLevel(GetParam());
    const Bytes file = BuildLevel(d);
    Ttrlevel level;
    ASSERT_EQ(level.LoadLevelImage(file, d.FileName()), Status::done);
    EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), file));
}

TEST_P(WriteEveryKind, BytesAfterTheLastSectionAreKept) {
    LevelDescription d = MakeLevel(GetParam());
    d.level_tail = Pattern(13, 77); // kind 7: in place of the usual 4 CD bytes
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    ExpectLevelMatches(level, d);
    EXPECT_TRUE(SameLevelFile(SavedImage(level, d.FileName()), BuildLevel(d), d.kind));
}

TEST_P(WriteEveryKind, EditedTexturesAndAnimationsReachTheFile) {
    LevelDescription d = MakeLevel(GetParam());
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    level.object_textures[1].attribute = 2;
    level.object_textures[1].vertices[2].xpixel = 0x7E;
    level.SetObjectTextureCount(level.num_object_textures + 1);
    level.object_textures.back().tile = 1;
    level.SetAnimWordCount(4);
    level.anim_words = {1, 1, 4, 5};
    if (!level.pages16.empty())
        std::fill(level.pages16.begin(), level.pages16.begin() + 64, 0x11);

    d.object_textures[1].attribute = 2;
    d.object_textures[1].vertices[2].xpixel = 0x7E;
    d.object_textures.emplace_back();
    d.object_textures.back().tile = 1;
    d.anim_words = {1, 1, 4, 5};
    if (!d.pages16.empty())
        std::fill(d.pages16.begin(), d.pages16.begin() + 64, 0x11);
    EXPECT_TRUE(SameLevelFile(SavedImage(level, d.FileName()), BuildLevel(d), d.kind));
}

TEST(LevelWriter, GeometryLengthIsRecomputedOnWriting) {
    for (int kind = 1; kind <= 6; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        LevelDescription wrong = MakeLevel(kind);
        wrong.rooms[0].data_words = 999;
        wrong.rooms[1].data_words = 0;
        Ttrlevel level;
        ASSERT_EQ(Load(level, wrong), Status::done);
        EXPECT_EQ(level.rooms[0].num_data_words, 999); // kept as read
        const LevelDescription right = MakeLevel(kind);
        EXPECT_TRUE(SameLevelFile(SavedImage(level, right.FileName()), BuildLevel(right), kind));
        EXPECT_EQ(level.rooms[0].num_data_words, 999); // written as computed, the record left as read
    }
}

TEST_P(WriteEveryKind, SaveLevelWritesWhatSaveLevelImageBuilds) {
    const LevelDescription d = MakeLevel(GetParam());
    TempDir dir;
    const std::string path = dir.File(d.FileName());
    WriteFile(path, Bytes(10, 0x77)); // an older file that the save replaces
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    ASSERT_EQ(level.SaveLevel(path), Status::done);
    EXPECT_TRUE(SameLevelFile(ReadFile(path), BuildLevel(d), d.kind));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{d.FileName()});
}

// A save after an edit replaces the opened file; once the edit is taken back, the next save must
// write the blocks as they were read again, not compress them anew.
TEST_P(WriteEveryKind, EditTakenBackAfterASaveGivesTheOpenedFileAgain) {
    const LevelDescription d = MakeLevel(GetParam());
    const Bytes original = BuildLevel(d);
    TempDir dir;
    const std::string path = dir.File(d.FileName());
    WriteFile(path, original);
    Ttrlevel level;
    ASSERT_EQ(level.LoadLevel(path), Status::done);
    const tobjtexture texture = level.object_textures[1];
    const Bytes pages = level.pages16;
    level.object_textures[1].attribute ^= 1;
    if (!level.pages16.empty())
        std::fill(level.pages16.begin(), level.pages16.begin() + 64, 0x11);
    ASSERT_EQ(level.SaveLevel(path), Status::done);
    ASSERT_FALSE(SameBytes(ReadFile(path), original));

    level.object_textures[1] = texture;
    level.pages16 = pages;
    ASSERT_EQ(level.SaveLevel(path), Status::done);
    EXPECT_TRUE(SameBytes(ReadFile(path), original));
    EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), original)); // and once more, in memory
}

INSTANTIATE_TEST_SUITE_P(Kinds, WriteEveryKind, ::testing::Range(1, 8),
                         [](const auto& info) { return "kind" + std::to_string(info.param); });

TEST(LevelWriter, ResaveOfTheOtherKindFiveVersionWord) {
    LevelDescription d = MakeLevel(5);
    d.version = 0xFF180038;
    EXPECT_TRUE(ResavesAs(d, d.FileName(), d));
}

TEST(LevelWriter, KindOneSavedAsTubMovesThePaletteAfterTheSpriteSequences) {
    const LevelDescription one = MakeLevel(1);
    LevelDescription two = one;
    two.kind = 2;
    Ttrlevel level;
    ASSERT_EQ(Load(level, one), Status::done);
    EXPECT_TRUE(SameBytes(SavedImage(level, "copy.tub"), BuildLevel(two)));
    EXPECT_EQ(level.kind, 1); // the layout written is the target's; the record stays as read
}

TEST(LevelWriter, KindTwoSavedWithoutTubBecomesKindOne) {
    const LevelDescription two = MakeLevel(2);
    LevelDescription one = two;
    one.kind = 1;
    Ttrlevel level;
    ASSERT_EQ(Load(level, two), Status::done);
    EXPECT_TRUE(SameBytes(SavedImage(level, "copy.phd"), BuildLevel(one)));
    EXPECT_EQ(level.kind, 2);
    // Read back, it is a kind 1 level with the same content.
    Ttrlevel again;
    ASSERT_EQ(again.LoadLevelImage(BuildLevel(one), "copy.phd"), Status::done);
    ExpectLevelMatches(again, one);
}

TEST(LevelWriter, WrappedFileIsWrittenPlain) {
    for (int kind : {1, 6}) {
        LevelDescription d = MakeLevel(kind);
        d.zlib_wrap = true;
        TempDir dir;
        const std::string path = dir.File(d.FileName());
        WriteFile(path, BuildLevel(d));
        Ttrlevel level;
        ASSERT_EQ(level.LoadLevel(path), Status::done);
        ASSERT_EQ(level.SaveLevel(path), Status::done);
        LevelDescription plain = d;
        plain.zlib_wrap = false;
        EXPECT_TRUE(SameLevelFile(ReadFile(path), BuildLevel(plain), kind)) << "kind " << kind;
    }
}

TEST(LevelWriter, KindSixAfterAddPageIsWrittenOnePageLarger) {
    LevelDescription d = MakeLevel(6);
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    level.AddPage();
    const Bytes saved = SavedImage(level, d.FileName());

    d.num_pages = 3;
    d.pages32.resize(3 * 262144, 0);
    d.pages16.resize(3 * 131072, 0);
    d.room_tiles = static_cast<std::uint16_t>(d.room_tiles + 1);
    const BuiltLevel expected = BuildLevelMapped(d);
    EXPECT_TRUE(SameLevelFile(saved, expected.bytes, 6));
    ASSERT_GT(saved.size(), 40u);
    EXPECT_EQ(U16At(saved, 4), 3);                                       // room tiles
    EXPECT_EQ(U32At(saved, expected.at.at("file.block0")), 3u * 262144); // size32
}

// The bytes of compressed block `block` (0 to 3) of a kind 6 or 7 file, with its two size fields.
Bytes BlockBytes(const Bytes& file, int block) {
    std::size_t at = 10;
    for (int b = 0; b < block; ++b)
        at += 8 + U32At(file, at + 4);
    return Slice(file, at, 8 + U32At(file, at + 4));
}

TEST(LevelWriter, PackedSizesAreWrittenWithoutChangingTheRecord) {
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(7)), Status::done);
    const std::uint32_t read32 = level.packed32;
    level.pages32.assign(level.pages32.size(), 0); // compresses far better than before
    const Bytes saved = SavedImage(level, "level.trc");
    const std::size_t block0 = 10;
    const std::size_t block1 = block0 + 8 + U32At(saved, block0 + 4);
    EXPECT_LT(U32At(saved, block0 + 4), 4096u);
    EXPECT_EQ(U32At(saved, block0 + 4), BlockBytes(saved, 0).size() - 8);
    EXPECT_EQ(U32At(saved, block1 + 4), BlockBytes(saved, 1).size() - 8);
    EXPECT_EQ(level.packed32, read32);
}

TEST(LevelWriter, KindSevenWithoutTrailingBytesGetsFourCdBytes) {
    LevelDescription d = MakeLevel(7);
    d.level_tail.clear();
    LevelDescription expected = d;
    expected.level_tail = Bytes(4, 0xCD);
    EXPECT_TRUE(ResavesAs(d, d.FileName(), expected));
}

TEST(LevelWriter, KindSevenSavedUnderAKindSixNameIsRefused) {
    // The .tr4 layout has no place for the 88-byte lights, flip-room links or water and reverb
    // bytes of .trc rooms: refused, nothing written, and the record still saves as .trc.
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(7)), Status::done);
    TempDir dir;
    EXPECT_EQ(level.SaveLevel(dir.File("level.tr4")), Status::cannot_save_as);
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_EQ(level.kind, 7);
    EXPECT_EQ(level.SaveLevel(dir.File("level.trc")), Status::done);
}

TEST(LevelWriter, OneChangedPageRecompressesOnlyItsBlock) {
    for (int kind : {6, 7}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const LevelDescription d = MakeLevel(kind);
        const Bytes file = BuildLevel(d);
        Ttrlevel level;
        ASSERT_EQ(level.LoadLevelImage(file, d.FileName()), Status::done);
        level.pages16[131072 + 77] ^= 0x21; // one pixel of page 2
        const Bytes saved = SavedImage(level, d.FileName());
        EXPECT_TRUE(SameBytes(BlockBytes(saved, 0), BlockBytes(file, 0)));
        EXPECT_TRUE(SameBytes(BlockBytes(saved, 2), BlockBytes(file, 2)));
        if (kind == 6) {
            EXPECT_TRUE(SameBytes(BlockBytes(saved, 3), BlockBytes(file, 3)));
        }
        LevelDescription expected = d;
        expected.pages16[131072 + 77] ^= 0x21;
        EXPECT_TRUE(SameLevelFile(saved, BuildLevel(expected), kind));
        // The new block is kept too: a second save writes the same bytes without compressing again.
        EXPECT_TRUE(level.read_blocks[block_pages16].Matches(level.pages16));
        EXPECT_TRUE(SameBytes(SavedImage(level, d.FileName()), saved));
    }
}

TEST(LevelSave, BlocksCopiedFromTheFileReadAreCheckedAgainstIt) {
    // A level read from a file keeps only where its blocks lie. Saving over that same file copies
    // them from it; a file changed behind the record's back makes the save compress the blocks
    // instead of copying bytes that no longer hold the level.
    TempDir dir;
    const LevelDescription d = MakeLevel(6);
    const Bytes file = BuildLevel(d);
    const std::string path = dir.File("level.tr4");
    WriteFile(path, file);
    Ttrlevel level;
    ASSERT_EQ(level.LoadLevel(path), Status::done);
    ASSERT_EQ(level.SaveLevel(path), Status::done);
    EXPECT_TRUE(SameBytes(ReadFile(path), file));
    level.pages32[5] ^= 0x10;
    ASSERT_EQ(level.SaveLevel(path), Status::done);
    ASSERT_EQ(level.SaveLevel(dir.File("again.tr4")),
              Status::done); // copies every block from the file just saved
    EXPECT_TRUE(SameBytes(ReadFile(dir.File("again.tr4")), ReadFile(path)));
    LevelDescription expected = d;
    expected.pages32[5] ^= 0x10;
    EXPECT_TRUE(SameLevelFile(ReadFile(path), BuildLevel(expected), 6));

    // The kept blocks now lie in the file saved last; another program changes it.
    const std::string kept_in = dir.File("again.tr4");
    WriteFile(kept_in, Bytes(ReadFile(kept_in).size(), 0x77));
    ASSERT_EQ(level.SaveLevel(dir.File("copy.tr4")), Status::done);
    EXPECT_TRUE(SameLevelFile(ReadFile(dir.File("copy.tr4")), BuildLevel(expected), 6));
}

TEST(LevelWriter, FolderNamesDoNotSelectTheKind) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "levels.tub");
    const LevelDescription d = MakeLevel(1);
    Ttrlevel level;
    ASSERT_EQ(Load(level, d), Status::done);
    const std::string target = (dir.Path() / "levels.tub" / "level.phd").string();
    ASSERT_EQ(level.SaveLevel(target), Status::done);
    EXPECT_EQ(level.kind, 1);
    EXPECT_TRUE(SameBytes(ReadFile(target), BuildLevel(d)));
}

TEST(LevelWriter, ProgressEndsAtZero) {
    TempDir dir;
    RecordingGauge gauge;
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(3)), Status::done);
    level.gauge = &gauge;
    ASSERT_EQ(level.SaveLevel(dir.File("level.tr2")), Status::done);
    const std::vector<int> steps = gauge.Steps();
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps.front(), 0);
    EXPECT_EQ(steps[steps.size() - 2], 100);
    EXPECT_EQ(steps.back(), 0);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end() - 1));
}

TEST(LevelWriter, RoomsBeyondTheOldFixedCapacitiesRoundTrip) {
    for (int kind : {1, 3}) {
        LevelDescription d = MakeLevel(kind);
        RoomDesc& room = d.rooms[1];
        room.vertices = Pattern(2000 * VertexSize(kind), 7);
        room.lights = Pattern(60 * LightSize(kind), 8);
        room.z_sectors = 40;
        room.x_sectors = 30;
        room.sectors = Pattern(40 * 30 * 8, 9);
        EXPECT_TRUE(ResavesAs(d, d.FileName(), d)) << "kind " << kind;
    }
}

TEST(LevelWriter, RecordReusedAfterAKindSevenLevelRefusesKindSixRoomsAsTrc) {
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(7)), Status::done);
    ASSERT_EQ(Load(level, MakeLevel(6)), Status::done);
    EXPECT_EQ(level.geometry_flags, 0);
    Bytes image;
    EXPECT_EQ(level.SaveLevelImage("level.trc", image), Status::cannot_save_as);
}

// ---- Saves that do not happen ----

TEST(LevelSave, FreshRecordReturnsOneAndCreatesNoFile) {
    TempDir dir;
    Ttrlevel level;
    EXPECT_EQ(level.SaveLevel(dir.File("level.phd")), Status::nothing_loaded);
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(LevelSave, TargetInsideARegularFileIsAFileError) {
    TempDir dir;
    WriteFile(dir.File("plain"), Bytes{1, 2, 3});
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(1)), Status::done);
    EXPECT_EQ(level.SaveLevel(dir.File("plain") + "/level.phd"), Status::file_error);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plain"});
    EXPECT_TRUE(SameBytes(ReadFile(dir.File("plain")), Bytes{1, 2, 3}));
}

TEST(LevelSave, TargetThatIsAFolderIsLeftAsItWasWithNoTemporaryFile) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("level.phd"));
    WriteFile(dir.File("level.phd") + "/inside", Bytes{9});
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(1)), Status::done);
    EXPECT_EQ(level.SaveLevel(dir.File("level.phd")), Status::file_error);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"level.phd"});
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("level.phd")));
    EXPECT_TRUE(SameBytes(ReadFile(dir.File("level.phd") + "/inside"), Bytes{9}));
}

// A write that fails half way (the file-size limit stands in for a full disk) keeps the old file.
TEST(LevelSave, FailedWriteKeepsTheExistingFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.File("level.tr2");
    const Bytes old = Pattern(5000, 5);
    WriteFile(path, old);
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(3)), Status::done);

    rlimit saved_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved_limit), 0);
    const auto saved_signal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_limit;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result result = level.SaveLevel(path);
    setrlimit(RLIMIT_FSIZE, &saved_limit);
    std::signal(SIGXFSZ, saved_signal);

    EXPECT_EQ(result, Status::file_error);
    EXPECT_TRUE(SameBytes(ReadFile(path), old));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"level.tr2"});
}

TEST(LevelSave, KindSixWithRoomsSavedAsTrcIsRefusedAndWritesNothing) {
    TempDir dir;
    const std::string path = dir.File("level.trc");
    WriteFile(path, Bytes{4, 5, 6});
    Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(6)), Status::done);
    EXPECT_EQ(level.SaveLevel(path), Status::cannot_save_as);
    Bytes image;
    EXPECT_EQ(level.SaveLevelImage("other.trc", image), Status::cannot_save_as);
    EXPECT_TRUE(SameBytes(ReadFile(path), Bytes{4, 5, 6}));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"level.trc"});
    // The level itself is still whole and can be saved as what it is.
    EXPECT_TRUE(SameLevelFile(SavedImage(level, "level.tr4"), BuildLevel(MakeLevel(6)), 6));
}

} // namespace
} // namespace pw
