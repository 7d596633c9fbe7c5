// The in-memory file container and its "ZLIB" wrapper.
#include <gtest/gtest.h>

#include "level/level_errors.h"
#include "level/zfile.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace pw {
namespace {

using namespace fixtures;

TEST(ZFile, TwelveByteFileStartingWithZlibLoadsPlain) {
    const Bytes twelve = {'Z', 'L', 'I', 'B', 1, 0, 0, 0, 12, 0, 0, 0};
    ZFile f;
    EXPECT_EQ(f.OpenImage(twelve, 1), 12u);
    EXPECT_FALSE(f.compressed);
    EXPECT_TRUE(SameBytes(f.Image(), twelve));
}

TEST(ZFile, PlainFileLoadsByteForByte) {
    TempDir dir;
    const Bytes content = Pattern(70000, 1);
    WriteFile(dir.File("plain.bin"), content);
    ZFile f;
    f.Assign(dir.File("plain.bin"));
    EXPECT_EQ(f.OpenRead(1), content.size());
    EXPECT_FALSE(f.compressed);
    EXPECT_TRUE(SameBytes(f.Image(), content));
    EXPECT_EQ(f.Position(), 0u);
    f.Close(false);
    EXPECT_TRUE(SameBytes(ReadFile(dir.File("plain.bin")), content));
}

TEST(ZFile, WrappedFileLoadsItsContent) {
    TempDir dir;
    const Bytes content = Pattern(100000, 2);
    WriteFile(dir.File("wrapped.bin"), ZlibWrap(content));
    ZFile f;
    f.Assign(dir.File("wrapped.bin"));
    EXPECT_EQ(f.OpenRead(1), content.size());
    EXPECT_TRUE(f.compressed);
    EXPECT_TRUE(SameBytes(f.Image(), content));
}

TEST(ZFile, MissingFileRaisesFileIoError) {
    TempDir dir;
    ZFile f;
    f.Assign(dir.File("missing.bin"));
    EXPECT_THROW(f.OpenRead(1), FileIoError);
}

TEST(ZFile, DamagedWrapperIsReported) {
    Bytes wrapped = ZlibWrap(Pattern(5000, 3));
    Bytes corrupt = wrapped;
    corrupt[14] = 0xFF; // first deflate block of the reserved type
    ZFile f;
    EXPECT_THROW(f.OpenImage(corrupt, 1), CompressionError);
    Bytes too_long = wrapped;
    PutU32(too_long, 4, static_cast<std::uint32_t>(wrapped.size())); // packed size beyond the file
    EXPECT_THROW(f.OpenImage(too_long, 1), InvalidLevelFile);
}

TEST(ZFile, SeekStopsAtTheSizeAndWriteThereExtends) {
    ZFile f;
    f.OpenImage(Pattern(100, 4), 1);
    f.Seek(1000);
    EXPECT_EQ(f.Position(), 100u);
    const Bytes more = {1, 2, 3};
    f.Write(more.data(), 3);
    EXPECT_EQ(f.Size(), 103u);
    EXPECT_EQ(f.Position(), 103u);
    EXPECT_TRUE(SameBytes(Slice(f.Image(), 100, 3), more));
}

TEST(ZFile, ShortReadAtTheEndCopiesWhatRemains) {
    const Bytes content = Pattern(50, 5);
    ZFile f;
    f.OpenImage(content, 1);
    f.Seek(47);
    Bytes dest(8, 0xEE);
    EXPECT_EQ(f.Read(dest.data(), 8), 3u);
    EXPECT_EQ(f.Position(), 50u);
    EXPECT_TRUE(SameBytes(dest, Bytes{content[47], content[48], content[49], 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(f.Read(dest.data(), 1), 0u);
}

TEST(ZFile, WriteInsideTheImageOverwritesAndKeepsTheSize) {
    const Bytes content = Pattern(100, 6);
    ZFile f;
    f.OpenImage(content, 1);
    const Bytes ten(10, 0xAB);
    f.Write(ten.data(), 10);
    EXPECT_EQ(f.Size(), 100u);
    EXPECT_EQ(f.Position(), 10u);
    Bytes want = content;
    std::fill_n(want.begin(), 10, 0xAB);
    EXPECT_TRUE(SameBytes(f.Image(), want));
}

TEST(ZFile, CountsAreInRecords) {
    ZFile f;
    f.OpenImage(Pattern(64, 7), 4);
    Bytes dest(8);
    EXPECT_EQ(f.Read(dest.data(), 2), 8u);
    EXPECT_EQ(f.Position(), 8u);
    const Bytes four = {9, 9, 9, 9, 8, 8, 8, 8};
    f.Seek(60);
    f.Write(four.data(), 2);
    EXPECT_EQ(f.Size(), 68u);
}

TEST(ZFile, WritingPutsTheImageIntoTheFileOnlyOnClose) {
    TempDir dir;
    const std::string path = dir.File("out.bin");
    WriteFile(path, Bytes{1, 2, 3, 4, 5});
    ZFile f;
    f.Assign(path);
    f.OpenWrite(1);
    const Bytes content = Pattern(200000, 8);
    f.Write(content.data(), content.size());
    f.Seek(10);
    const Bytes patch = {0, 0, 0, 0};
    f.Write(patch.data(), 4);
    EXPECT_TRUE(SameBytes(ReadFile(path), Bytes{1, 2, 3, 4, 5}));
    f.Close(true);
    Bytes want = content;
    std::fill_n(want.begin() + 10, 4, 0);
    EXPECT_TRUE(SameBytes(ReadFile(path), want));
}

TEST(ZFile, CompressedFlagWritesTheWrapper) {
    TempDir dir;
    const std::string path = dir.File("out.z");
    const Bytes content = Pattern(30000, 9);
    ZFile f;
    f.Assign(path);
    f.OpenWrite(1);
    f.Write(content.data(), content.size());
    f.compressed = true;
    f.Close(true);
    const Bytes file = ReadFile(path);
    ASSERT_GT(file.size(), 12u);
    EXPECT_TRUE(SameBytes(Slice(file, 0, 4), Bytes{'Z', 'L', 'I', 'B'}));
    EXPECT_EQ(U32At(file, 4), file.size() - 12);
    EXPECT_EQ(U32At(file, 8), content.size());
    EXPECT_TRUE(SameBytes(Inflate(file.data() + 12, file.size() - 12, content.size()), content));
}

TEST(ZFile, WrapAndUnwrapAreInverse) {
    const Bytes content = Pattern(12345, 10);
    bool wrapped = false;
    EXPECT_TRUE(SameBytes(UnwrapZlibContainer(WrapZlibContainer(content), wrapped), content));
    EXPECT_TRUE(wrapped);
    EXPECT_TRUE(SameBytes(UnwrapZlibContainer(content, wrapped), content));
    EXPECT_FALSE(wrapped);
    // Our own wrapper is read by the container too.
    ZFile f;
    f.OpenImage(ZlibWrap(content), 1);
    EXPECT_TRUE(f.compressed);
    EXPECT_TRUE(SameBytes(f.Image(), content));
}

} // namespace
} // namespace pw
