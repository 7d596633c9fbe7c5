// Where language files and the readme are looked for and where a saved language file goes: a user's
// own file first, then beside the program, then the installed data folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "localisation/form_list.h"
#include "localisation/languages.h"
#include "widgets/data_files.h"
#include "widgets/executable_path.h"

namespace {

class DataFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_data_home_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(Path("home")));
    }
    void TearDown() override {
        OverrideExecutablePath({});
        qputenv("XDG_DATA_HOME", previous_data_home_);
    }
    QString Path(const QString& relative) const { return root_.filePath(relative); }
    void Touch(const QString& relative) {
        QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir root_;
    QByteArray previous_data_home_;
};

} // namespace

TEST_F(DataFilesTest, UserFolderThenProgramFolderThenInstalledData) {
    OverrideExecutablePath(Path("usr/bin/pagewright"));
    Touch("usr/bin/pagewright");
    EXPECT_EQ(InstalledDataFolder(), Path("usr/share/pagewright"));
    EXPECT_TRUE(FindDataFile("readme.txt").isEmpty());
    for (const QString folder : {"usr/share/pagewright/", "usr/bin/", "home/pagewright/"}) {
        Touch(folder + "readme.txt");
        Touch(folder + "pagewright_fr.lng");
        EXPECT_EQ(FindDataFile("readme.txt"), Path(folder + "readme.txt"));
        EXPECT_EQ(LanguageFileName("fr"), Path(folder + "pagewright_fr.lng"));
    }
}

TEST_F(DataFilesTest, AnInstalledProgramSavesLanguagesInTheUserFolder) {
    // Its own folders are the package's, even when they can be written (as root).
    OverrideExecutablePath(Path("opt/bin/pagewright"));
    Touch("opt/bin/pagewright");
    Touch("opt/share/pagewright/pagewright_de.lng");
    EXPECT_EQ(LanguageFileName("de"), Path("opt/share/pagewright/pagewright_de.lng"));
    EXPECT_EQ(LanguageSaveFileName("de"), Path("home/pagewright/pagewright_de.lng"));

    TFormList store;
    store.LangId = 0x0407;
    ASSERT_TRUE(SaveLanguageFile(store, 3, true));
    EXPECT_EQ(LanguageFileName("de"), Path("home/pagewright/pagewright_de.lng"));
    EXPECT_EQ(DefaultLanguageFileName(), Path("home/pagewright/pagewright_def.lng"));
    EXPECT_TRUE(QFile::exists(DefaultLanguageFileName()));
}

TEST_F(DataFilesTest, SavingBesideAWritableProgramKeepsTheFileThere) {
    OverrideExecutablePath(Path("build/pagewright"));
    Touch("build/pagewright");
    EXPECT_EQ(LanguageSaveFileName("it"), Path("build/pagewright_it.lng"));
    EXPECT_EQ(LanguageFileName("it"), Path("build/pagewright_it.lng"));
}

TEST_F(DataFilesTest, AUsersOwnLanguageFileIsReadAndSavedWhereItIs) {
    // Installed (a data folder beside bin) or portable, the program's own folder writable.
    for (const QString program : {"opt/bin/pagewright", "portable/pagewright"}) {
        OverrideExecutablePath(Path(program));
        Touch(program);
        Touch("opt/share/pagewright/pagewright_es.lng");
        Touch(QFileInfo(program).path() + "/pagewright_es.lng");
        Touch("home/pagewright/pagewright_es.lng");
        EXPECT_EQ(LanguageFileName("es"), Path("home/pagewright/pagewright_es.lng")) << program.toStdString();
        EXPECT_EQ(LanguageSaveFileName("es"), Path("home/pagewright/pagewright_es.lng")) << program.toStdString();
    }
}

// A file where the user's data folder should be: the save names that folder and why, not the language file.
TEST_F(DataFilesTest, AFolderThatCannotBeCreatedIsTheReasonGiven) {
    OverrideExecutablePath(Path("opt/bin/pagewright"));
    Touch("opt/bin/pagewright");
    QDir().mkpath(Path("opt/share/pagewright"));
    Touch("home");
    TFormList store;
    store.LangId = 0x040C;
    EXPECT_FALSE(SaveLanguageFile(store, 2, false));
    EXPECT_EQ(store.ErrorString(),
              "Cannot create the folder " + QDir::toNativeSeparators(Path("home")) +
                  ": a file of that name is in the way");
}
