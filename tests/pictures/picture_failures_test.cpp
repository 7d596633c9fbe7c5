// How picture files report what stopped them: the status of each kind of failure, and a reason naming
// the file, for reads and writes alike.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <QImage>
#include <QString>

#include "pictures/bmp_export.h"
#include "pictures/page_folder.h"
#include "pictures/picture_bridge.h"
#include "pictures/picture_export.h"
#include "pictures/picture_file_writing.h"
#include "pictures/png_stream.h"
#include "tests/fixtures/test_support.h"

namespace {

using pw::Status;
using pw::fixtures::Bytes;
using pw::fixtures::TempDir;

::testing::AssertionResult Is(const pw::Result& result, Status status, const std::string& reason) {
    if (result.status == status && result.reason == reason)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "status " << static_cast<int>(result.status) << " (" << result.reason << ")";
}

pw::Ttrlevel TwoPages() {
    pw::Ttrlevel level;
    level.kind = pw::kind_tr4;
    level.num_pages = 2;
    level.pages16 = pw::fixtures::Pattern(2 * 256 * 256 * 2, 7);
    level.pages32 = pw::fixtures::Pattern(2 * 256 * 256 * 4, 9);
    return level;
}

QString Q(const std::string& path) {
    return QString::fromStdString(path);
}

bool SavePicture(const std::string& path, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    return picture.save(Q(path));
}

} // namespace

TEST(PictureFailures, EachKindOfReadFailureHasItsStatus) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("folder.png"));
    ASSERT_TRUE(SavePicture(dir.File("narrow.png"), 128, 256));
    ASSERT_TRUE(SavePicture(dir.File("page.bmp"), 256, 256));
    Bytes damaged = pw::fixtures::ReadFile(dir.File("page.bmp"));
    damaged.resize(damaged.size() / 2);
    pw::fixtures::WriteFile(dir.File("cut.bmp"), damaged);
    pw::fixtures::WriteFile(dir.File("text.png"), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
    const std::vector<std::pair<std::string, Status>> cases = {
        {"missing.png", Status::no_such_file}, {"folder.png", Status::file_error},
        {"narrow.png", Status::wrong_size},    {"cut.bmp", Status::not_a_picture},
        {"text.png", Status::not_a_picture},
    };
    for (const auto& [name, status] : cases) {
        const SourcePicture picture = ReadSourcePicture(Q(dir.File(name)));
        EXPECT_EQ(picture.result, status) << name;
        EXPECT_NE(picture.result.reason.find(dir.File(name)), std::string::npos) << picture.result.reason;
        EXPECT_TRUE(picture.image.isNull()) << name;
    }
    // A page picture must be a .png as well as 256 x 256.
    EXPECT_EQ(ReadPagePicture(Q(dir.File("page.bmp"))).result, Status::not_a_picture);
    EXPECT_TRUE(Is(ReadPagePicture(Q(dir.File("narrow.png"))).result, Status::wrong_size,
                   dir.File("narrow.png") + " is 128 x 256; a page picture is 256 x 256"));
}

TEST(PictureFailures, AFolderListingSaysWhyItsPicturesCannotBeTaken) {
    TempDir dir;
    const QString level = QStringLiteral("level.tr4");
    const auto listed = [&](std::initializer_list<const char*> names) {
        std::filesystem::remove_all(dir.File("pages"));
        std::filesystem::create_directory(dir.File("pages"));
        for (const char* name : names)
            pw::fixtures::WriteFile(dir.File("pages/") + name, Bytes{1});
        return ListPageFolder(Q(dir.File("pages")), level, 2).result;
    };
    EXPECT_EQ(listed({"other_0.png"}), Status::not_a_page_folder);
    EXPECT_EQ(listed({"level_0.png", "level_3.png"}), Status::not_a_page_folder); // page 3 left out
    const pw::Result twice = listed({"level_1.png", "level_1.PNG"});
    EXPECT_EQ(twice, Status::not_a_page_folder);
    EXPECT_TRUE(twice.reason.ends_with(" are both the picture of page 2")) << twice.reason;
    EXPECT_EQ(ListPageFolder(Q(dir.File("missing")), level, 2).result, Status::file_error);
}

TEST(PictureFailures, WritesIntoAMissingFolderNameTheFile) {
    TempDir dir;
    const pw::Ttrlevel level = TwoPages();
    for (const char* name : {"pages.png", "pages.bmp"}) {
        const std::string path = dir.File("missing/") + name;
        const pw::Result written = WritePictureExport(level, path, ExportDepth::shown24);
        EXPECT_EQ(written, Status::file_error) << name;
        EXPECT_EQ(written.reason.rfind("cannot write " + path + ": ", 0), 0u) << written.reason;
    }
    const std::string page = dir.File("missing/level_0.png");
    const pw::Result written = WritePagePicture(level, 0, pw::PagePictureDepth::shown, Q(page));
    EXPECT_EQ(written, Status::file_error);
    EXPECT_EQ(written.reason.rfind("cannot write " + page + ": ", 0), 0u) << written.reason;
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

TEST(PictureFailures, WhatCannotBeWrittenAtAllIsRefusedBeforeWriting) {
    TempDir dir;
    pw::Ttrlevel level = TwoPages();
    EXPECT_EQ(WritePictureExport(level, dir.File("pages.bmp"), ExportDepth::stored32),
              pw::Status::cannot_save_as);
    EXPECT_EQ(WritePagePicture(level, 2, pw::PagePictureDepth::shown, Q(dir.File("level_2.png"))),
              Status::bad_request);
    level.num_pages = 0;
    EXPECT_EQ(WritePictureExport(level, dir.File("pages.png"), ExportDepth::shown24), Status::bad_request);
    EXPECT_TRUE(dir.Entries().empty());
}

// The pages are written on two threads; the failure reported is that of the lowest page.
TEST(PictureFailures, AFolderExportReportsTheLowestPageThatFailed) {
    TempDir dir;
    pw::Ttrlevel level = TwoPages();
    level.num_pages = 6;
    level.pages16.resize(6 * 256 * 256 * 2);
    level.pages32.resize(6 * 256 * 256 * 4);
    const std::string folder = dir.File("pages");
    for (const char* in_the_way : {"level_3.png", "level_1.png", "level_5.png"})
        std::filesystem::create_directories(folder + "/" + in_the_way);
    const pw::Result written =
        WritePageFolder(level, QStringLiteral("level.tr4"), Q(folder), pw::PagePictureDepth::shown);
    EXPECT_TRUE(Is(written, Status::file_error, "cannot write " + folder + "/level_1.png: it is a folder"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/level_0.png"));

    pw::fixtures::WriteFile(dir.File("file"), Bytes{1});
    EXPECT_TRUE(Is(
        WritePageFolder(level, QStringLiteral("level.tr4"), Q(dir.File("file")), pw::PagePictureDepth::shown),
        Status::file_error, "cannot write " + dir.File("file") + ": the folder cannot be made"));
}

// A device that takes no byte: the streamed writers stop at the first failed write and say why.
TEST(PictureFailures, AFullDiskIsAFileErrorWithTheSystemsReason) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (!full)
        GTEST_SKIP() << "no /dev/full";
    std::setvbuf(full, nullptr, _IONBF, 0);
    const std::string no_space = std::strerror(ENOSPC);
    EXPECT_TRUE(Is(WriteBmpExport(TwoPages(), full), Status::file_error, no_space));
    PngStream png(full, 256, 2, PngStream::Colour::rgb, 3780);
    const std::vector<std::uint8_t> row(3 * 256, 0);
    EXPECT_TRUE(Is(png.WriteRows(row.data(), 1), Status::file_error, no_space));
    EXPECT_EQ(png.Finish(), Status::file_error); // rows left, but the failure comes first
    std::fclose(full);
}

// A writer's own status passes through; the file it began is not left behind.
TEST(PictureFailures, AWritersStatusPassesThroughAndNothingIsLeft) {
    TempDir dir;
    const pw::Result written = WritePictureFile(dir.File("page.png"), "page.png", [](std::FILE* file) {
        std::fputs("part", file);
        return pw::Result{Status::damaged_stream, "the image data could not be compressed"};
    });
    EXPECT_TRUE(
        Is(written, Status::damaged_stream, "cannot write page.png: the image data could not be compressed"));
    EXPECT_TRUE(dir.Entries().empty());
}
