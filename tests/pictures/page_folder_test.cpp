// A level's pages as a folder of pictures: writing them, the names the pictures get from the level's
// file name, and the pictures a page refuses.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <QImage>
#include <QRegularExpression>
#include <QString>

#include <sys/wait.h>
#include <unistd.h>

#include "pictures/page_folder.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace {

bool WholePictureName(const std::filesystem::path& path) {
    static const QRegularExpression whole(QStringLiteral("^level_[0-9]+\\.png$"));
    return whole.match(QString::fromStdString(path.filename().string())).hasMatch();
}

bool OnlyWholePictures(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (!WholePictureName(entry.path()))
            return false;
    return true;
}

// Once the first page is written, watches the folder while the other thread writes until a file that
// is no whole picture shows (or for a while), and kills the process then.
struct KillingGauge : pw::Gauge {
    std::string folder;
    void SetProgress(int percent) override {
        if (percent == 0)
            return;
        for (int look = 0; look < 3000 && OnlyWholePictures(folder); ++look) {
        }
        std::raise(SIGKILL);
    }
};

} // namespace

// The pages are written into unnamed files: no other name shows in the folder while they are written,
// and an export killed half way leaves only whole pictures.
TEST(PageFolder, AnExportKilledWhileWritingLeavesOnlyWholePictures) {
    pw::fixtures::TempDir dir;
    pw::Ttrlevel level;
    level.kind = pw::kind_tr4;
    level.num_pages = 32;
    level.pages16 = pw::fixtures::Pattern(32 * 256 * 256 * 2, 7);
    level.pages32 = pw::fixtures::Pattern(32 * 256 * 256 * 4, 9);
    const QString folder = QString::fromStdString(dir.File("pages"));
    const pid_t child = ::fork();
    if (child == 0) {
        KillingGauge gauge;
        gauge.folder = dir.File("pages");
        static_cast<void>(
            WritePageFolder(level, QStringLiteral("level.tr4"), folder, pw::PagePictureDepth::shown, &gauge));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("pages")))
        EXPECT_TRUE(WholePictureName(entry.path())) << entry.path();
}

namespace {

using namespace pw::fixtures;

QString Q(const std::string& path) {
    return QString::fromStdString(path);
}

// Only the last extension is the level's: "my.level.tr4" gives my.level_0.png, and those pictures are
// found again and taken back.
TEST(PageFolder, ALevelNameWithDotsKeepsThemInItsPictureNames) {
    TempDir dir;
    pw::Ttrlevel level;
    ASSERT_EQ(Load(level, MakeLevel(pw::kind_tr4)), pw::Status::done);
    const QString level_path = Q(dir.File("my.level.tr4")), folder = Q(dir.File("pages"));
    ASSERT_EQ(WritePageFolder(level, level_path, folder, pw::PagePictureDepth::stored32), pw::Status::done);
    EXPECT_EQ(PagePictureName(level_path, 1), "my.level_1.png");
    EXPECT_TRUE(std::filesystem::exists(dir.File("pages/my.level_0.png")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("pages/my.level_1.png")));

    QImage edited(Q(dir.File("pages/my.level_1.png")));
    edited.setPixel(3, 4, qRgba(1, 2, 3, 255));
    ASSERT_TRUE(edited.save(Q(dir.File("pages/my.level_1.png"))));
    const PageFolderListing listing = ListPageFolder(folder, level_path, level.num_pages);
    ASSERT_EQ(listing.result, pw::Status::done);
    ASSERT_EQ(listing.files.size(), 2u);
    const PageFolderImport taken = ImportPageFolder(level, listing, DirectSteps(level, false));
    EXPECT_EQ(taken.result, pw::Status::done);
    EXPECT_EQ(taken.changed, std::vector<int>{1});
    const std::uint8_t* pixel = level.pages32.data() + 4 * (65536 + 4 * 256 + 3);
    EXPECT_EQ((std::vector<std::uint8_t>(pixel, pixel + 4)), (std::vector<std::uint8_t>{3, 2, 1, 255}));
}

// A picture a row or a column larger than a page is refused whole, not cut to the page.
TEST(PageFolder, APictureLargerThanAPageIsRefused) {
    TempDir dir;
    for (const QSize size : {QSize(256, 300), QSize(300, 256), QSize(256, 257), QSize(257, 256)}) {
        for (const QImage::Format format : {QImage::Format_RGB888, QImage::Format_ARGB32}) {
            QImage picture(size, format);
            picture.fill(qRgba(40, 90, 200, 255));
            const QString path = Q(dir.File("page.png"));
            ASSERT_TRUE(picture.save(path, "PNG"));
            const PagePictureFile read = ReadPagePicture(path);
            EXPECT_EQ(read.result, pw::Status::wrong_size) << size.width() << " x " << size.height();
            EXPECT_TRUE(read.argb.empty());
        }
    }
}

} // namespace
