// Opening what is not a readable level: the message, and what the views show afterwards.
#include <QDir>

#include "app/progress_window.h"
#include "app_fixture.h"

namespace {

class OpenLevelErrorsTest : public AppTest {
protected:
    void OpenFirstLevel() {
        first_ = WriteLevel(Level(3, 2));
        OpenThroughMenu(first_);
        ASSERT_TRUE(Form1->Document().HasLevel());
    }

    void ExpectFirstLevelShown() {
        EXPECT_TRUE(Form1->Document().HasLevel());
        EXPECT_EQ(Form1->Caption(), first_ + "[*]");
        EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 2);
        EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:1/2");
        EXPECT_TRUE(Form1->Document().Level().IsLoaded());
    }

    void ExpectNoLevelShown() {
        EXPECT_FALSE(Form1->Document().HasLevel());
        EXPECT_FALSE(Form1->Document().Level().IsLoaded());
        EXPECT_TRUE(Form1->Control<TImage>("Image1")->Picture().isNull());
        EXPECT_EQ(Form1->Caption(), "Kestrel's Pagewright");
        EXPECT_EQ(Form1->Control<TLabel>("Label3")->Caption(), "None");
        EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:");
        EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 0);
        EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Count(), 0);
        EXPECT_TRUE(Form1->Document().LevelFileName().isEmpty());
        EXPECT_FALSE(Form5->isVisible());
        EXPECT_FALSE(platform_.busy);
    }

    QString first_;
};

} // namespace

TEST_F(OpenLevelErrorsTest, MissingFileKeepsTheOpenLevel) {
    OpenFirstLevel();
    const std::size_t cursor_changes = platform_.cursor_changes.size();
    OpenThroughMenu(Folder() + "/gone.tr2");
    EXPECT_EQ(platform_.MessageTexts(), QStringList({"File not found!!!"}));
    ExpectFirstLevelShown();
    EXPECT_EQ(platform_.cursor_changes.size(), cursor_changes);
}

TEST_F(OpenLevelErrorsTest, FolderIsNotAFile) {
    OpenThroughMenu(Folder());
    EXPECT_EQ(platform_.MessageTexts(), QStringList({Folder() + " is a folder, not a file."}));
}

TEST_F(OpenLevelErrorsTest, CancelledDialogChangesNothing) {
    OpenFirstLevel();
    OpenThroughMenu(QString());
    EXPECT_TRUE(platform_.messages.empty());
    ExpectFirstLevelShown();
    EXPECT_FALSE(platform_.busy);
}

// A failed open loses nothing: the earlier level, its unsaved edits and their history stay.
TEST_F(OpenLevelErrorsTest, UnknownVersionKeepsTheEarlierLevelAndItsEdits) {
    OpenFirstLevel();
    Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger();
    platform_.answers.push_back(QMessageBox::Discard);
    const QString notes = WriteBytes("notes.tr2", pw::fixtures::Bytes{'h', 'e', 'l', 'l', 'o', '!', '\n'});
    platform_.file_answers.push_back(notes);
    Form1->Control<TMenuItem>("OpenLevel1")->Action()->trigger();
    // The usual line, then the file and the reader's reason.
    const QStringList lines = platform_.MessageTexts().last().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "Invalid TR file format!!!");
    EXPECT_EQ(lines[2], QDir::toNativeSeparators(notes));
    EXPECT_TRUE(lines[3].startsWith("version word: not a level of a known version"))
        << lines[3].toStdString();
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 3);
    EXPECT_TRUE(Form1->Control<TMenuItem>("Save1")->Enabled());
    EXPECT_TRUE(Form1->isWindowModified());
    EXPECT_EQ(Form1->Control<TMenuItem>("Undo1")->Caption(), "&Undo Add page");
    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 2);
    EXPECT_FALSE(Form1->isWindowModified());
}

TEST_F(OpenLevelErrorsTest, UnknownVersionWithNothingOpen) {
    OpenThroughMenu(WriteBytes("empty.phd", {}));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(platform_.messages[0].text.startsWith("Invalid TR file format!!!\n\n"));
    EXPECT_TRUE(platform_.messages[0].text.contains("empty.phd"));
    ExpectNoLevelShown();
}

TEST_F(OpenLevelErrorsTest, DecompressionErrorIsShownAndKeepsTheViews) {
    OpenFirstLevel();
    auto broken = Level(6, 2);
    broken.corrupt_block = 1;
    OpenThroughMenu(WriteLevel(broken));

    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].kind, ScriptedPlatform::MessageKind::Error);
    EXPECT_TRUE(platform_.messages[0].text.startsWith(QDir::toNativeSeparators(Folder() + "/level.tr4")));
    EXPECT_GT(platform_.messages[0].text.size(), Folder().size() + 20); // and says what failed
    ExpectFirstLevelShown();
    EXPECT_FALSE(Form5->isVisible());
    EXPECT_FALSE(platform_.busy);

    // The next open works as usual.
    OpenFirstLevel();
    ExpectFirstLevelShown();
}

TEST_F(OpenLevelErrorsTest, PageCommandsDoNothingWithoutALevel) {
    Form1->Control<TComboBox>("ComboBox1")->OnChange();
    EXPECT_FALSE(Form1->Document().HasLevel());
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:");
}
