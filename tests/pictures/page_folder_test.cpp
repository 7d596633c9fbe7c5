// A level's pages as a folder of pictures: the names the pictures get from the level's file name, and
// the pictures a page refuses.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "pictures/page_folder.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

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
    ASSERT_EQ(Load(level, MakeLevel(pw::kind_tr4)), pw::LevelStatus::done);
    const QString level_path = Q(dir.File("my.level.tr4")), folder = Q(dir.File("pages"));
    WritePageFolder(level, level_path, folder, pw::PagePictureDepth::stored32);
    EXPECT_EQ(PagePictureName(level_path, 1), "my.level_1.png");
    EXPECT_TRUE(std::filesystem::exists(dir.File("pages/my.level_0.png")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("pages/my.level_1.png")));

    QImage edited(Q(dir.File("pages/my.level_1.png")));
    edited.setPixel(3, 4, qRgba(1, 2, 3, 255));
    ASSERT_TRUE(edited.save(Q(dir.File("pages/my.level_1.png"))));
    const PageFolderListing listing = ListPageFolder(folder, level_path, level.num_pages);
    ASSERT_TRUE(listing.error.isEmpty()) << listing.error.toStdString();
    ASSERT_EQ(listing.files.size(), 2u);
    const PageFolderImport taken = ImportPageFolder(level, listing, DirectSteps(level, false));
    EXPECT_TRUE(taken.error.isEmpty()) << taken.error.toStdString();
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
            EXPECT_FALSE(read.error.isEmpty()) << size.width() << " x " << size.height();
            EXPECT_TRUE(read.argb.empty());
        }
    }
}

} // namespace
