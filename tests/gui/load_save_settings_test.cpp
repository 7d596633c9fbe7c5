// Saving the settings when the main window closes and restoring them at the next start.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "app/main_window.h"
#include "app/window_placement.h"
#include "app_fixture.h"
#include "localisation/language_window.h"
#include "localisation/languages.h"
#include "widgets/t_combo_box.h"

namespace {

class LoadSaveSettingsTest : public AppTest {
protected:
    QString IniPath() const { return ConfigFolder() + "/Pagewright.ini"; }

    // Settings written as another run (or a user's editor) left them on disk.
    void WriteIni(const QByteArray& text) {
        QDir().mkpath(ConfigFolder());
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QString Stored(const QString& key) const {
        return QSettings(IniPath(), QSettings::IniFormat).value(key).toString();
    }

    QStringList Captions() const {
        return {Form1->Control<TMenuItem>("None1")->Caption(), Form1->Control<TMenuItem>("None2")->Caption(),
                Form1->Control<TMenuItem>("None3")->Caption(), Form1->Control<TMenuItem>("None4")->Caption(),
                Form1->Control<TMenuItem>("None5")->Caption()};
    }
    // A new start that has not closed the main window first, so the settings on disk stay.
    void StartAgain() {
        DestroyApplicationForms();
        CreateApplicationForms();
    }

    QRect Bounds() const { return {Form1->Left(), Form1->Top(), Form1->Width(), Form1->Height()}; }
};

} // namespace

TEST_F(LoadSaveSettingsTest, FirstRunKeepsTheFormPlacementAndClosingCreatesTheKey) {
    EXPECT_FALSE(QFile::exists(IniPath()));
    EXPECT_EQ(Bounds(), QRect(114, 2, 651, 560));
    EXPECT_EQ(Captions(), QStringList(5, "None"));
    EXPECT_EQ(Localisation->CurrentLangId, 0u);

    Form1->Close();
    EXPECT_EQ(Stored("Version/version"), "Pagewright " PW_VERSION); // the version --version shows
    EXPECT_EQ(Stored("Recent files/count"), "0");
    EXPECT_EQ(Stored("form1/maximized"), "0");
    EXPECT_EQ(Stored("form1/width"), "651");
    EXPECT_EQ(Stored("form1/languaje"), "0");
}

TEST_F(LoadSaveSettingsTest, PlacementLanguageAndRecentFilesComeBackAfterARestart) {
    const QString a = WriteLevel(Level(1, 1), "a.phd"), b = WriteLevel(Level(1, 1), "b.phd");
    OpenThroughMenu(a);
    OpenThroughMenu(b);
    Form1->SetBounds(40, 30, 600, 500);
    // French, chosen in the language window from a French language file.
    TFormList french;
    french.RegisterForms();
    french.FindString("LEVEL FILE")->ReplaceEverywhere("FICHIER NIVEAU");
    french.LangId = 0x040C;
    ASSERT_TRUE(french.SaveToFile(LanguageFileName("fr")));
    Localisation->ComboBoxLanguage->SetItemIndex(0);
    Localisation->cbLanguageChange();
    ASSERT_EQ(Localisation->CurrentLangId, 1036u);

    Restart();
    EXPECT_EQ(Stored("form1/languaje"), "1036");
    EXPECT_EQ(Stored("Recent files/File name0"), b);
    EXPECT_EQ(Bounds(), QRect(40, 30, 600, 500));
    EXPECT_FALSE(Form1->isMaximized());
    EXPECT_EQ(Localisation->CurrentLangId, 1036u);
    EXPECT_EQ(Form1->Control<TLabel>("Label1")->Caption(), "FICHIER NIVEAU");
    EXPECT_EQ(RecentItems(), QStringList({b, a}));
    EXPECT_EQ(Captions(), QStringList({b, a, "None", "None", "None"}));

    Form1->Control<TMenuItem>("None2")->Action()->trigger();
    EXPECT_EQ(Form1->Document().LevelFileName(), a);
}

TEST_F(LoadSaveSettingsTest, DitheringIsOffAtFirstAndComesBackAfterARestart) {
    EXPECT_FALSE(Form1->Document().DitherPictures());
    EXPECT_FALSE(Form1->Control<TMenuItem>("DitherPictures1")->Action()->isChecked());
    Form1->Control<TMenuItem>("DitherPictures1")->Action()->trigger();
    EXPECT_TRUE(Form1->Document().DitherPictures());
    EXPECT_TRUE(Form1->Control<TMenuItem>("DitherPictures1")->Action()->isChecked());

    Restart();
    EXPECT_EQ(Stored("form1/dither"), "1");
    EXPECT_TRUE(Form1->Document().DitherPictures());
    EXPECT_TRUE(Form1->Control<TMenuItem>("DitherPictures1")->Action()->isChecked());
}

TEST_F(LoadSaveSettingsTest, MaximizedWindowStoresItsNormalBoundsAndIsMaximizedAgain) {
    Form1->SetBounds(60, 50, 500, 400);
    Form1->Show();
    Form1->setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(Form1->isMaximized());

    Restart();
    EXPECT_EQ(Stored("form1/maximized"), "1");
    EXPECT_EQ(Stored("form1/left"), "60");
    EXPECT_EQ(Stored("form1/width"), "500");
    // Placed at the normal bounds first (the window is not shown yet, so they stay), then maximized.
    // Maximizing gives the window its frame, which lies around the client area placed at 60, 50.
    EXPECT_EQ(Form1->geometry().topLeft(), QPoint(60, 50));
    EXPECT_EQ(Form1->Width(), 500);
    EXPECT_EQ(Form1->Height(), 400);
    EXPECT_TRUE(Form1->isMaximized());
}

TEST_F(LoadSaveSettingsTest, StoredRecentFilesFillTheItemsInOrder) {
    WriteIni("[Version]\nversion=Pagewright 2.0\n"
             "[form1]\nleft=114\ntop=2\nwidth=651\nheight=560\n"
             "[Recent%20files]\ncount=3\n"
             "File%20name0=/l/zero.tr4\nFile%20name1=/l/one.tr4\nFile%20name2=/l/two.tr4\n"
             "File%20name3=/l/stale.tr4\n");
    StartAgain();
    EXPECT_EQ(Captions(), QStringList({"/l/zero.tr4", "/l/one.tr4", "/l/two.tr4", "None", "None"}));
}

TEST_F(LoadSaveSettingsTest, SettingsOfAnotherVersionAreIgnored) {
    WriteIni("[Version]\nversion=Pagewright 1.0\n"
             "[form1]\nleft=300\ntop=300\nwidth=400\nheight=300\nlanguaje=1036\n"
             "[Recent%20files]\ncount=1\nFile%20name0=/l/zero.tr4\n");
    StartAgain();
    EXPECT_EQ(Bounds(), QRect(114, 2, 651, 560));
    EXPECT_EQ(Localisation->CurrentLangId, 0u);
    EXPECT_EQ(Captions(), QStringList(5, "None"));
}

TEST_F(LoadSaveSettingsTest, DamagedSettingsGiveAUsableWindowAndNoJunkEntries) {
    WriteIni("[Version]\nversion=Pagewright 2.0\n"
             "[form1]\nleft=99999999999\ntop=-2147483648\nwidth=-40\nheight=abc\nlanguaje=70000\n"
             "maximized=yes\n"
             "[Recent%20files]\ncount=2000000000\nFile%20name0=/l/zero.tr4\nFile%20name2=\n"
             "File%20name3=/l/three.tr4\n");
    StartAgain();
    const QRect bounds = Bounds();
    EXPECT_GE(bounds.width(), 200);
    EXPECT_GE(bounds.height(), 150);
    const QRect screen = AvailableScreenAreas().value(0);
    if (!screen.isEmpty()) {
        EXPECT_TRUE(screen.contains(bounds.topLeft())) << bounds.x() << "," << bounds.y();
    }
    EXPECT_FALSE(Form1->isMaximized());
    EXPECT_EQ(Localisation->CurrentLangId, 0u);
    // Only the first five entries count, and the empty or missing ones among them are skipped.
    EXPECT_EQ(RecentItems(), QStringList({"/l/zero.tr4", "/l/three.tr4"}));
}

TEST_F(LoadSaveSettingsTest, ASizeBelowOnePixelKeepsTheDefaultPlacement) {
    for (const char* size : {"width=-40\nheight=300\n", "width=700\nheight=0\n"}) {
        WriteIni(QByteArray("[Version]\nversion=Pagewright 2.0\n[form1]\nleft=20\ntop=20\n") + size);
        StartAgain();
        EXPECT_EQ(Bounds(), QRect(114, 2, 651, 560)) << size;
    }
}

TEST_F(LoadSaveSettingsTest, UnreadableNumbersKeepTheDefaultPlacementAndJunkIsDropped) {
    QByteArray junk = "[Version]\nversion=Pagewright 2.0\n[form1]\nleft=12.5\ntop=20\nwidth=700\nheight=500\n"
                      "colour=blue\n[Recent%20files]\ncount=5\n";
    for (int i = 0; i < 10000; ++i)
        junk += "File%20name" + QByteArray::number(i) + "=/l/" + QByteArray::number(i) + ".tr4\n";
    junk += "[Elsewhere]\nkey=value\n";
    WriteIni(junk);
    StartAgain();
    EXPECT_EQ(Bounds(), QRect(114, 2, 651, 560));
    EXPECT_EQ(RecentItems().size(), 5);

    Form1->Close();
    QSettings stored(IniPath(), QSettings::IniFormat);
    // The main window's 14 entries and the page map's 11.
    EXPECT_EQ(stored.allKeys().size(), 14 + 11) << stored.allKeys().join(' ').toStdString();
    EXPECT_FALSE(stored.contains("form1/colour"));
    EXPECT_FALSE(stored.contains("Elsewhere/key"));
    EXPECT_LT(QFileInfo(IniPath()).size(), 1000);
}
