// Pages out to a folder and back, and a page edited in another program: the "editor" here rewrites the
// file the way many do, writing a new file and renaming it over the old one.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>

#include "app_fixture.h"
#include "level/page_access.h"
#include "pictures/page_folder.h"

namespace {

class OutsideEditingTest : public AppTest {
protected:
    void SetUp() override {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(Folder() + QStringLiteral("/cache")));
        AppTest::SetUp();
        OpenThroughMenu(WriteLevel(Level(3)));
        ASSERT_TRUE(Form1->Document().HasLevel());
    }
    pw::Bytes Page(int page) const {
        const auto& level = Form1->Document().Level();
        const auto bytes = pw::PageSpan(level, pw::PageDepth::bits16, page);
        pw::Bytes out(bytes.begin(), bytes.end());
        const auto bytes8 = pw::PageSpan(level, pw::PageDepth::bits8, page);
        out.insert(out.end(), bytes8.begin(), bytes8.end());
        return out;
    }
    // Saves `picture` beside `path` and renames it over `path`.
    static void ReplaceFile(const QImage& picture, const QString& path) {
        const QString temporary = path + QStringLiteral(".saving.png");
        ASSERT_TRUE(picture.save(temporary, "PNG"));
        ASSERT_EQ(std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()),
                  0);
    }
    static void ReplaceFile(const QByteArray& bytes, const QString& path) {
        QFile file(path + QStringLiteral(".saving"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ASSERT_EQ(
            std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()),
            0);
    }
};

} // namespace

TEST_F(OutsideEditingTest, EachSavedChangeIsOneStepAndUndoes) {
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("true")); // an editor that opens nothing
    Form1->ShowLevelPage(1);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    const QString path = outside.PagePath(1);
    ASSERT_TRUE(QFile::exists(path));
    const pw::Bytes page0 = Page(0), page1 = Page(1);

    QSignalSpy taken(&outside, &OutsideEditing::PageTaken);
    QImage picture(path);
    picture.setPixel(5, 5, qRgba(255, 0, 0, 255));
    ReplaceFile(picture, path);
    picture.setPixel(6, 5, qRgba(0, 0, 255, 255));
    ReplaceFile(picture, path); // saved twice in a row
    ASSERT_TRUE(taken.wait(10000));
    outside.CheckPage(1); // whatever the timing, the page now shows the last save
    const auto shown = pw::PagePictureArgb(Form1->Document().Level(), 1, pw::PagePictureDepth::shown);
    EXPECT_EQ(shown[5 * 256 + 6] & 0xF8F8F8u, 0x0000F8u);
    EXPECT_EQ(Form1->Document().History().undoText(), "Edit page 2 outside");
    EXPECT_TRUE(Page(0) == page0);
    EXPECT_FALSE(Page(1) == page1);

    while (Form1->Document().History().canUndo())
        Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_TRUE(Page(1) == page1);

    // A picture that cannot be used: said once, the page unchanged.
    ReplaceFile(QByteArray("not a picture"), path);
    QSignalSpy refused(&outside, &OutsideEditing::PictureRefused);
    ASSERT_TRUE(refused.wait(10000));
    outside.CheckPage(1);
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(Page(1) == page1);

    // Several pages at once; closing the level ends the watch and removes the working files.
    Form1->ShowLevelPage(2);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    EXPECT_TRUE(outside.Watching(1) && outside.Watching(2));
    const QString folder = outside.WorkingFolder();
    Form1->Document().CloseLevel();
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_FALSE(outside.Watching(1));
}

TEST_F(OutsideEditingTest, PagesGoToAFolderAndComeBackAsOneStep) {
    const QString folder = Folder() + QStringLiteral("/pages");
    platform_.file_answers.push_back(folder);
    Form1->Control<TMenuItem>("ExportPages1")->Action()->trigger();
    const QString level = Form1->Document().LevelFileName();
    const QString page2 = QDir(folder).filePath(PagePictureName(level, 2));
    ASSERT_TRUE(QFile::exists(page2));
    QImage picture(page2);
    picture.setPixel(0, 0, qRgba(10, 200, 30, 255));
    ASSERT_TRUE(picture.save(page2));
    const pw::Bytes page0 = Page(0);
    platform_.file_answers.push_back(folder);
    Form1->Control<TMenuItem>("ImportPages1")->Action()->trigger();
    EXPECT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    EXPECT_EQ(Form1->Document().History().count(), 1);
    EXPECT_EQ(Form1->Document().History().undoText(), "Import pages");
    EXPECT_TRUE(Page(0) == page0);
}

// Each save that shows something new is one step, however often the picture is saved: the steps are
// counted, not only the last one named.
TEST_F(OutsideEditingTest, OnlySavesThatChangeThePageMakeSteps) {
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("true"));
    Form1->ShowLevelPage(1);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    const QString path = outside.PagePath(1);
    QImage picture(path);
    ASSERT_FALSE(picture.isNull());
    QSignalSpy taken(&outside, &OutsideEditing::PageTaken);
    const auto save = [&](const QImage& image) {
        ReplaceFile(image, path);
        outside.CheckPage(1);
    };
    save(picture); // the same pixels saved again
    EXPECT_EQ(Form1->Document().History().count(), 0);
    picture.setPixel(5, 5, qRgba(255, 0, 0, 255));
    save(picture);
    EXPECT_EQ(Form1->Document().History().count(), 1);
    save(picture); // unchanged since the last save
    EXPECT_EQ(Form1->Document().History().count(), 1);
    picture.setPixel(6, 5, qRgba(0, 0, 255, 255));
    save(picture);
    EXPECT_EQ(Form1->Document().History().count(), 2);
    EXPECT_EQ(taken.count(), 2);
}

// A picture that is gone for a moment (an editor in the middle of replacing it) is waited for: after
// a refused picture, its disappearance is no second refusal, and nothing changes.
TEST_F(OutsideEditingTest, AMissingPictureIsWaitedForNotRefused) {
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("true"));
    Form1->ShowLevelPage(1);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    QSignalSpy refused(&outside, &OutsideEditing::PictureRefused);
    ReplaceFile(QByteArray("not a picture"), outside.PagePath(1));
    outside.CheckPage(1);
    ASSERT_EQ(refused.count(), 1);
    ASSERT_TRUE(QFile::remove(outside.PagePath(1)));
    outside.CheckPage(1);
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(Form1->Document().History().count(), 0);
}
