// File > Import Pages from Folder tells what it took: which page came from which file in the status bar,
// names it did not take in a message, and an error naming the pattern when the level has no picture.
#include <QDir>
#include <QFile>
#include <QStatusBar>

#include "app_fixture.h"
#include "pictures/page_folder.h"

namespace {

class PageFolderImportTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        OpenThroughMenu(WriteLevel(Level(3)));
        ASSERT_TRUE(Form1->Document().HasLevel());
        folder_ = Folder() + QStringLiteral("/pages");
        platform_.file_answers.push_back(folder_);
        Form1->Control<TMenuItem>("ExportPages1")->Action()->trigger();
    }
    void Import() {
        platform_.file_answers.push_back(folder_);
        Form1->Control<TMenuItem>("ImportPages1")->Action()->trigger();
    }
    QString PageFile(int page) const {
        return QDir(folder_).filePath(PagePictureName(Form1->Document().LevelFileName(), page));
    }

    QString folder_;
};

} // namespace

TEST_F(PageFolderImportTest, TheStatusBarSaysWhichPageCameFromWhichFile) {
    const QString stem = QFileInfo(Form1->Document().LevelFileName()).completeBaseName();
    ASSERT_TRUE(QFile::rename(PageFile(1), QDir(folder_).filePath(stem + "_1.PNG")));
    ASSERT_TRUE(QFile::copy(PageFile(0), QDir(folder_).filePath(stem + "_01.png")));
    Import();
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(platform_.messages[0].text.contains(stem + "_01.png"))
        << platform_.messages[0].text.toStdString();
    EXPECT_EQ(Form1->statusBar()->currentMessage(),
              QStringLiteral("Pages imported from %1: 1–3 ← %2_0.png … %2_2.png")
                  .arg(QDir::toNativeSeparators(folder_), stem));
}

TEST_F(PageFolderImportTest, ALevelWithoutPicturesOfItsOwnIsAnErrorNamingThePattern) {
    for (int page = 0; page < 3; ++page)
        ASSERT_TRUE(
            QFile::rename(PageFile(page), QDir(folder_).filePath(QStringLiteral("old_%1.png").arg(page))));
    Import();
    const QString stem = QFileInfo(Form1->Document().LevelFileName()).completeBaseName();
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(platform_.messages[0].text.contains(stem + "_<N>.png"))
        << platform_.messages[0].text.toStdString();
    EXPECT_FALSE(Form1->statusBar()->currentMessage().startsWith(QStringLiteral("Pages imported")))
        << Form1->statusBar()->currentMessage().toStdString();
}
