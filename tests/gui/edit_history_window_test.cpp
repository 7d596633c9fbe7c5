// The edit history's wiring in the windows: the Undo and Redo items and keys, the caption's mark, and
// the question before unsaved changes would be lost.
#include <QFileInfo>
#include <QTest>

#include "app/main_window.h"
#include "app_fixture.h"
#include "texture_windows/animated_window.h"

namespace {

class EditHistoryWindowTest : public AppTest {
protected:
    void OpenAndEdit() {
        path_ = WriteLevel(Level(4, 2));
        OpenThroughMenu(path_);
        ASSERT_TRUE(Form1->Document().HasLevel());
        EXPECT_FALSE(Form1->Control<TMenuItem>("Undo1")->Enabled());
        Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger();
    }

    QString path_;
};

TEST_F(EditHistoryWindowTest, ItemsAndKeysNameAndTakeTheSteps) {
    OpenAndEdit();
    EXPECT_EQ(Form1->Control<TMenuItem>("Undo1")->Caption(), "&Undo Add page");
    EXPECT_TRUE(Form1->isWindowModified());
    EXPECT_EQ(Form1->Caption(), path_ + "[*]");

    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    QTest::keyClick(Form1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 2);
    EXPECT_FALSE(Form1->isWindowModified());
    EXPECT_FALSE(Form1->Control<TMenuItem>("Undo1")->Enabled());
    EXPECT_EQ(Form1->Control<TMenuItem>("Undo1")->Caption(), "&Undo");
    EXPECT_EQ(Form1->Control<TMenuItem>("Redo1")->Caption(), "&Redo Add page");
    QTest::keyClick(Form1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 3);

    fanimated->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fanimated));
    QTest::keyClick(fanimated, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 2);
    QTest::keyClick(fanimated, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 3);
}

TEST_F(EditHistoryWindowTest, ClosingAsksAndCancelKeepsEverything) {
    OpenAndEdit();
    Form1->show();
    platform_.answers.push_back(QMessageBox::Cancel);
    Form1->Control<TMenuItem>("Exit2")->Action()->trigger();
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_EQ(platform_.messages.back().text, "Save changes to " + QFileInfo(path_).fileName() + "?");
    EXPECT_TRUE(Form1->isWindowModified());

    platform_.answers.push_back(QMessageBox::Save);
    Form1->Control<TMenuItem>("Exit2")->Action()->trigger();
    EXPECT_FALSE(Form1->isVisible());
    pw::Ttrlevel saved;
    ASSERT_EQ(saved.LoadLevel(QFile::encodeName(path_).toStdString()), pw::Status::done);
    EXPECT_EQ(saved.num_pages, 3);
}

TEST_F(EditHistoryWindowTest, OpeningAnotherLevelAsksFirst) {
    OpenAndEdit();
    const QString other = WriteLevel(Level(3, 1), "other.tr2");
    platform_.answers.push_back(QMessageBox::Cancel);
    platform_.file_answers.push_back(other);
    Form1->Control<TMenuItem>("OpenLevel1")->Action()->trigger();
    EXPECT_EQ(Form1->Document().LevelFileName(), path_);
    EXPECT_EQ(platform_.file_answers.size(), 1u); // no dialog after Cancel
    platform_.file_answers.clear();

    platform_.answers.push_back(QMessageBox::Discard);
    platform_.file_answers.push_back(other);
    Form1->Control<TMenuItem>("OpenLevel1")->Action()->trigger();
    EXPECT_EQ(Form1->Document().LevelFileName(), other);
    EXPECT_FALSE(Form1->Control<TMenuItem>("Undo1")->Enabled());
    EXPECT_FALSE(Form1->isWindowModified());
}

} // namespace
