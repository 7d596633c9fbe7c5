// The pages out to a folder and back in as one step of the history, and one page taken from a picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>

#include "document/level_document.h"
#include "level/page_access.h"
#include "pictures/page_folder.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace {

using namespace pw::fixtures;

std::vector<pw::Bytes> Pages(const LevelDocument& doc) {
    const pw::Ttrlevel& l = doc.Level();
    return {l.pages8, l.pages16, l.pages32};
}

// Every page's bytes in every depth differ from `before` exactly for the pages in `changed`.
void ExpectChangedPages(const LevelDocument& doc, const std::vector<pw::Bytes>& before,
                        const std::set<int>& changed) {
    const pw::PageDepth depths[] = {pw::PageDepth::bits8, pw::PageDepth::bits16, pw::PageDepth::bits32};
    for (int d = 0; d < 3; ++d) {
        const std::size_t size = pw::PageBytes(depths[d]);
        for (std::size_t at = 0; at + size <= before[d].size(); at += size) {
            const int page = static_cast<int>(at / size);
            const bool same =
                std::equal(before[d].begin() + at, before[d].begin() + at + size, Pages(doc)[d].begin() + at);
            EXPECT_EQ(same, !changed.contains(page)) << "depth " << d << " page " << page;
        }
    }
}

class PagePicturesTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        LevelDescription level = MakeLevel(GetParam());
        level.num_pages = 3;
        if (GetParam() <= 5)
            level.pages8 = Pattern(3 * 65536, 1);
        if (GetParam() >= 3)
            level.pages16 = Pattern(3 * 131072, 2);
        if (GetParam() >= 6)
            level.pages32 = Pattern(3 * 262144, 3);
        path_ = QString::fromStdString(dir_.File(level.FileName()));
        WriteFile(path_.toStdString(), BuildLevel(level));
        ASSERT_EQ(doc_.Open(path_, nullptr), pw::Status::done);
        folder_ = QString::fromStdString(dir_.File("pages"));
        ASSERT_EQ(doc_.ExportPages(folder_), pw::Status::done);
    }
    QString PageFile(int page) const { return QDir(folder_).filePath(PagePictureName(path_, page)); }
    void Paint(int page, int x, int y, QRgb colour) {
        QImage picture(PageFile(page));
        picture.setPixel(x, y, colour);
        ASSERT_TRUE(picture.save(PageFile(page)));
    }

    TempDir dir_;
    QString path_, folder_;
    LevelDocument doc_;
};

} // namespace

TEST_P(PagePicturesTest, OnePaintedPageIsOneStepThatUndoesExactly) {
    const auto before = Pages(doc_);
    EXPECT_EQ(doc_.ImportPages(folder_).result, pw::Status::done);
    EXPECT_EQ(doc_.History().count(), 0); // nothing edited, no step
    Paint(1, 10, 20, qRgb(200, 100, 50));
    QFile::copy(PageFile(0), PageFile(3)); // the next number appends a page
    QSignalSpy changed(&doc_, &LevelDocument::PageChanged);
    QSignalSpy added(&doc_, &LevelDocument::PageAdded);
    EXPECT_EQ(doc_.ImportPages(folder_).result, pw::Status::done);
    EXPECT_EQ(doc_.History().count(), 1);
    EXPECT_EQ(doc_.UndoStep(), HistoryStep{StepKind::import_pages});
    EXPECT_EQ(doc_.Level().num_pages, 4);
    EXPECT_EQ(added.count(), 1);
    EXPECT_GE(changed.count(), 1);
    ExpectChangedPages(doc_, before, {1});
    doc_.Undo();
    EXPECT_EQ(doc_.Level().num_pages, 3);
    EXPECT_TRUE(Pages(doc_) == before);
    doc_.Redo();
    EXPECT_EQ(doc_.Level().num_pages, 4);
}

TEST_P(PagePicturesTest, APictureThatCannotBeUsedChangesNothing) {
    const auto before = Pages(doc_);
    Paint(0, 1, 1, qRgb(1, 2, 3));
    QFile::copy(PageFile(0), PageFile(3));
    QImage(256, 255, QImage::Format_ARGB32).save(PageFile(2));
    const QString error = QString::fromStdString(doc_.ImportPages(folder_).result.reason);
    EXPECT_TRUE(error.contains(PagePictureName(path_, 2))) << error.toStdString();
    EXPECT_EQ(doc_.History().count(), 0);
    EXPECT_EQ(doc_.Level().num_pages, 3);
    EXPECT_TRUE(Pages(doc_) == before);
}

// Past the history's limit an import is taken for good: its undo data is not kept, the history cannot
// go back past it, and a picture that cannot be used still changes nothing.
TEST_P(PagePicturesTest, AnImportTakenForGoodKeepsNoStepAndClearsTheHistory) {
    const int kind = GetParam();
    const std::size_t page_bytes =
        (kind <= 5 ? 65536u : 0u) + (kind >= 3 ? 131072u : 0u) + (kind >= 6 ? 262144u : 0u);
    QFile::copy(PageFile(0), PageFile(3)); // appended: no page replaced
    EXPECT_EQ(doc_.ImportUndoBytes(folder_), 3 * page_bytes);
    Paint(1, 10, 20, qRgb(200, 100, 50));
    ASSERT_EQ(doc_.ImportPages(folder_).result, pw::Status::done);
    ASSERT_EQ(doc_.History().count(), 1);

    const auto before = Pages(doc_);
    Paint(2, 1, 1, qRgb(1, 2, 3));
    QImage(256, 255, QImage::Format_ARGB32).save(PageFile(0));
    EXPECT_FALSE(doc_.ImportPages(folder_, nullptr, false).result);
    EXPECT_TRUE(Pages(doc_) == before);
    EXPECT_EQ(doc_.History().count(), 1);

    QFile::remove(PageFile(0));
    QFile::copy(PageFile(3), PageFile(0));
    QSignalSpy changed(&doc_, &LevelDocument::PageChanged);
    EXPECT_EQ(doc_.ImportPages(folder_, nullptr, false).result, pw::Status::done);
    EXPECT_GE(changed.count(), 1);
    ExpectChangedPages(doc_, before, {2});
    EXPECT_EQ(doc_.History().count(), 0);
    EXPECT_TRUE(doc_.IsModified());
}

// Pages are added without moving the pages before them, so that adding one costs the same at any count.
TEST_P(PagePicturesTest, AnAddedPageLeavesThePagesInPlace) {
    const auto where = [&] {
        const pw::Ttrlevel& l = doc_.Level();
        return std::vector<const std::uint8_t*>{l.pages8.data(), l.pages16.data(), l.pages32.data()};
    };
    const auto before = where();
    for (int i = 0; i < 3; ++i)
        doc_.AddPage();
    doc_.Undo();
    doc_.Redo();
    EXPECT_EQ(doc_.Level().num_pages, 6);
    EXPECT_TRUE(where() == before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PagePicturesTest, ::testing::Values(1, 3, 6, 7));
