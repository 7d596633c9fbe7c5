// The recent-files list and its five File menu items.
#include <QAction>

#include "app/recent_files.h"
#include "app_fixture.h"

namespace {

class RecentFilesTest : public AppTest {
protected:
    QStringList Captions() const {
        return {Form1->Control<TMenuItem>("None1")->Caption(), Form1->Control<TMenuItem>("None2")->Caption(),
                Form1->Control<TMenuItem>("None3")->Caption(), Form1->Control<TMenuItem>("None4")->Caption(),
                Form1->Control<TMenuItem>("None5")->Caption()};
    }
    // Level files of kind 1 named as given, in the test folder.
    QString Make(const std::string& name) { return WriteLevel(Level(1, 1), name); }
};

} // namespace

TEST_F(RecentFilesTest, OpeningFilesOrdersThemMostRecentFirst) {
    const QString a = Make("a.phd"), b = Make("b.phd"), c = Make("c.phd");
    for (const QString& path : {a, b, c, a})
        OpenThroughMenu(path);
    EXPECT_EQ(RecentItems(), QStringList({a, c, b}));
    EXPECT_EQ(Captions(), QStringList({a, c, b, "None", "None"}));

    const QString d = Make("d.phd"), e = Make("e.phd"), f = Make("f.phd");
    for (const QString& path : {d, e, f})
        OpenThroughMenu(path);
    // The sixth distinct file drops the oldest, b.
    EXPECT_EQ(RecentItems(), QStringList({f, e, d, a, c}));
    EXPECT_EQ(Captions(), RecentItems());
}

TEST(RecentFileList, PathsDifferingInLetterCaseAreOneEntryWrittenAsTheLastGiven) {
    QStringList files;
    for (const char* path : {"/levels/City.tr4", "/levels/other.tr4", "/LEVELS/city.TR4"})
        files = WithRecentFile(files, path);
    EXPECT_EQ(files, QStringList({"/LEVELS/city.TR4", "/levels/other.tr4"}));
}

TEST(RecentFileList, ReopeningAFileOfAFullListMovesItToTheFrontAndKeepsFive) {
    QStringList files;
    for (const char* path : {"/l/a", "/l/b", "/l/c", "/l/d", "/l/e", "/l/c"})
        files = WithRecentFile(files, path);
    EXPECT_EQ(files, QStringList({"/l/c", "/l/e", "/l/d", "/l/b", "/l/a"}));
    files = WithRecentFile(files, "/l/a"); // the oldest
    EXPECT_EQ(files, QStringList({"/l/a", "/l/c", "/l/e", "/l/d", "/l/b"}));
}

TEST_F(RecentFilesTest, ClickingAnItemOpensItsFileEvenAfterItsCaptionWasReplaced) {
    const QString a = Make("a.phd"), b = Make("b.phd");
    OpenThroughMenu(a);
    OpenThroughMenu(b);
    // Applying a language writes the form's caption back into the items.
    Form1->Control<TMenuItem>("None2")->SetCaption("Aucun");
    Form1->Control<TMenuItem>("None2")->Action()->trigger();
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_EQ(Form1->Document().LevelFileName(), a);
    EXPECT_EQ(RecentItems(), QStringList({a, b}));

    Form1->Control<TMenuItem>("None1")->SetCaption("Aucun");
    Form1->ShowRecentFiles();
    EXPECT_EQ(Form1->Control<TMenuItem>("None1")->Caption(), a);
    EXPECT_EQ(Form1->Control<TMenuItem>("None2")->Caption(), b);
}

TEST_F(RecentFilesTest, AMissingFileIsReportedAndTheListStays) {
    const QString a = Make("a.phd");
    OpenThroughMenu(Make("gone.phd"));
    OpenThroughMenu(a);
    QFile::remove(Folder() + "/gone.phd");
    Form1->Control<TMenuItem>("None2")->Action()->trigger();
    EXPECT_EQ(platform_.MessageTexts(), QStringList({"File not found!!!"}));
    EXPECT_EQ(RecentItems(), QStringList({a, Folder() + "/gone.phd"}));
    EXPECT_EQ(Form1->Document().LevelFileName(), a);

    // Items beyond the list do nothing.
    Form1->Control<TMenuItem>("None3")->Action()->trigger();
    EXPECT_EQ(platform_.messages.size(), 1u);
}

TEST_F(RecentFilesTest, AnAmpersandInAPathIsShownAsItselfNotAsAnAccessKey) {
    OpenThroughMenu(Make("Tom & Jerry.phd"));
    EXPECT_EQ(Form1->Control<TMenuItem>("None1")->Caption(), Folder() + "/Tom & Jerry.phd");
    EXPECT_EQ(Form1->Control<TMenuItem>("None1")->Action()->text(), Folder() + "/Tom && Jerry.phd");
}

TEST_F(RecentFilesTest, ControlCharactersInAPathShowAsTheirCodes) {
    OpenThroughMenu(Make("a\nb\x1B\u202Ec.phd"));
    EXPECT_EQ(Form1->Control<TMenuItem>("None1")->Action()->text(), Folder() + "/a\\x0Ab\\x1B\\u202Ec.phd");
}
