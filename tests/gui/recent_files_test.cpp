// The recent-files list and its five File menu items.
#include <QAction>

#include "app_fixture.h"

namespace {

class RecentFilesTest : public AppTest {
protected:
    QStringList Captions() const {
        return {Form1->None1->Caption(), Form1->None2->Caption(), Form1->None3->Caption(),
                Form1->None4->Caption(), Form1->None5->Caption()};
    }
    // Level files of kind 1 named as given, in the test folder.
    QString Make(const std::string& name) { return WriteLevel(Level(1, 1), name); }
};

} // namespace

TEST_F(RecentFilesTest, OpeningFilesOrdersThemMostRecentFirst) {
    const QString a = Make("a.phd"), b = Make("b.phd"), c = Make("c.phd");
    for (const QString& path : {a, b, c, a})
        OpenThroughMenu(path);
    EXPECT_EQ(Form1->RecentFiles, QStringList({a, c, b}));
    EXPECT_EQ(Captions(), QStringList({a, c, b, "None", "None"}));

    const QString d = Make("d.phd"), e = Make("e.phd"), f = Make("f.phd");
    for (const QString& path : {d, e, f})
        OpenThroughMenu(path);
    // The sixth distinct file drops the oldest, b.
    EXPECT_EQ(Form1->RecentFiles, QStringList({f, e, d, a, c}));
    EXPECT_EQ(Captions(), Form1->RecentFiles);
}

TEST_F(RecentFilesTest, PathsDifferingInLetterCaseAreOneEntryWrittenAsTheLastGiven) {
    Form1->AddRecentFile("/levels/City.tr4");
    Form1->AddRecentFile("/levels/other.tr4");
    Form1->AddRecentFile("/LEVELS/city.TR4");
    EXPECT_EQ(Form1->RecentFiles, QStringList({"/LEVELS/city.TR4", "/levels/other.tr4"}));
    EXPECT_EQ(Form1->None1->Caption(), "/LEVELS/city.TR4");
}

TEST_F(RecentFilesTest, ReopeningAFileOfAFullListMovesItToTheFrontAndKeepsFive) {
    for (const char* path : {"/l/a", "/l/b", "/l/c", "/l/d", "/l/e"})
        Form1->AddRecentFile(path);
    Form1->AddRecentFile("/l/c");
    EXPECT_EQ(Form1->RecentFiles, QStringList({"/l/c", "/l/e", "/l/d", "/l/b", "/l/a"}));
    Form1->AddRecentFile("/l/a"); // the oldest
    EXPECT_EQ(Form1->RecentFiles, QStringList({"/l/a", "/l/c", "/l/e", "/l/d", "/l/b"}));
    EXPECT_EQ(Captions(), Form1->RecentFiles);
}

TEST_F(RecentFilesTest, ClickingAnItemOpensItsFileEvenAfterItsCaptionWasReplaced) {
    const QString a = Make("a.phd"), b = Make("b.phd");
    OpenThroughMenu(a);
    OpenThroughMenu(b);
    // Applying a language writes the form's caption back into the items.
    Form1->None2->SetCaption("Aucun");
    Form1->None2->Action()->trigger();
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_EQ(Form1->Document().LevelFileName(), a);
    EXPECT_EQ(Form1->RecentFiles, QStringList({a, b}));

    Form1->None1->SetCaption("Aucun");
    Form1->ShowRecentFiles();
    EXPECT_EQ(Form1->None1->Caption(), a);
    EXPECT_EQ(Form1->None2->Caption(), b);
}

TEST_F(RecentFilesTest, AMissingFileIsReportedAndTheListStays) {
    const QString a = Make("a.phd");
    Form1->AddRecentFile(Folder() + "/gone.phd");
    OpenThroughMenu(a);
    Form1->None2->Action()->trigger();
    EXPECT_EQ(platform_.MessageTexts(), QStringList({"File not found!!!"}));
    EXPECT_EQ(Form1->RecentFiles, QStringList({a, Folder() + "/gone.phd"}));
    EXPECT_EQ(Form1->Document().LevelFileName(), a);

    // Items beyond the list do nothing.
    Form1->None3->Action()->trigger();
    EXPECT_EQ(platform_.messages.size(), 1u);
}

TEST_F(RecentFilesTest, AnAmpersandInAPathIsShownAsItselfNotAsAnAccessKey) {
    Form1->AddRecentFile("/levels/Tom & Jerry.tr2");
    EXPECT_EQ(Form1->None1->Caption(), "/levels/Tom & Jerry.tr2");
    EXPECT_EQ(Form1->None1->Action()->text(), "/levels/Tom && Jerry.tr2");
}

TEST_F(RecentFilesTest, ControlCharactersInAPathShowAsTheirCodes) {
    Form1->AddRecentFile(QString("/levels/a\nb\x1B\u202Ec.tr2"));
    EXPECT_EQ(Form1->None1->Action()->text(), "/levels/a\\x0Ab\\x1B\\u202Ec.tr2");
}
