// The settings store: where its file lives, how values are written, and reading damaged values.
#include <gtest/gtest.h>

#include <climits>

#include <QFile>
#include <QSettings>

#include "app/settings_store.h"
#include "app/window_placement.h"
#include "tests/fixtures/test_support.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = qgetenv("PAGEWRIGHT_CONFIG_DIR");
        qputenv("PAGEWRIGHT_CONFIG_DIR", QFile::encodeName(Folder()));
    }
    void TearDown() override {
        SettingsClose();
        qputenv("PAGEWRIGHT_CONFIG_DIR", saved_);
    }

    QString Folder() const { return QString::fromStdString(folder_.Path().string()); }
    QString FilePath() const { return Folder() + "/Test.ini"; }

    void WriteIni(const QByteArray& text) {
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    pw::fixtures::TempDir folder_;
    QByteArray saved_;
};

} // namespace

TEST_F(SettingsStoreTest, FileFollowsTheEnvironment) {
    EXPECT_EQ(SettingsFilePath("Pagewright"), Folder() + "/Pagewright.ini");

    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("PAGEWRIGHT_CONFIG_DIR");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Folder() + "/xdg"));
    EXPECT_EQ(SettingsFilePath("Pagewright"), Folder() + "/xdg/Pagewright.ini");
    if (xdg.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", xdg);
}

TEST_F(SettingsStoreTest, ValuesAreStoredAsStringsInSectionsOfTheKeyFile) {
    SettingsOpen("Test");
    WriteBoolSetting("form1", "maximized", true);
    WriteBoolSetting("form1", "other", false);
    WriteIntSetting("form1", "left", -12);
    WriteStringSetting("Recent files", "File name0", "/levels/a, b & c.tr4");
    SettingsClose();

    QSettings file(FilePath(), QSettings::IniFormat);
    EXPECT_EQ(file.value("form1/maximized").toString(), "1");
    EXPECT_EQ(file.value("form1/other").toString(), "0");
    EXPECT_EQ(file.value("form1/left").toString(), "-12");

    SettingsOpen("Test");
    EXPECT_TRUE(ReadBoolSetting("form1", "maximized"));
    EXPECT_EQ(ReadIntSetting("form1", "left"), -12);
    EXPECT_EQ(ReadStringSetting("Recent files", "File name0"), "/levels/a, b & c.tr4");
}

TEST_F(SettingsStoreTest, DamagedOrMissingValuesReadAsDefaults) {
    WriteIni(
        "[form1]\ngarbage=12abc\nempty=\nhuge=99999999999999\nspaced=\" 7 \"\nhex=0x10\nlist=a, b\ntwo=2\n");
    SettingsOpen("Test");
    EXPECT_EQ(ReadIntSetting("form1", "garbage"), 0);
    EXPECT_EQ(ReadIntSetting("form1", "empty"), 0);
    EXPECT_EQ(ReadIntSetting("form1", "huge"), 0);
    EXPECT_EQ(ReadIntSetting("form1", "spaced"), 7);
    EXPECT_EQ(ReadIntSetting("form1", "hex"), 0);
    EXPECT_EQ(ReadIntSetting("form1", "missing"), 0);
    EXPECT_EQ(ReadIntSetting("nosection", "two"), 0);
    EXPECT_FALSE(ReadBoolSetting("form1", "garbage"));
    EXPECT_TRUE(ReadBoolSetting("form1", "two"));
    EXPECT_EQ(ReadStringSetting("form1", "list"), "a, b");
    EXPECT_EQ(ReadStringSetting("form1", "missing"), "");
}

TEST(WindowPlacementTest, BoundsOnAScreenAreKept) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1040), QRect(-1280, 0, 1280, 1024)};
    EXPECT_EQ(VisibleWindowBounds({114, 2, 651, 560}, screens), QRect(114, 2, 651, 560));
    // On the second screen, left of the primary one.
    EXPECT_EQ(VisibleWindowBounds({-1000, 100, 651, 560}, screens), QRect(-1000, 100, 651, 560));
    // Partly off the right edge, title bar still reachable.
    EXPECT_EQ(VisibleWindowBounds({1700, 100, 651, 560}, screens), QRect(1700, 100, 651, 560));
}

TEST(WindowPlacementTest, LostWindowsComeBackOntoAScreen) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
    // Beyond every screen: onto the primary one, as near as possible to where it was.
    EXPECT_EQ(VisibleWindowBounds({5000, 3000, 651, 560}, screens), QRect(1269, 480, 651, 560));
    // Title bar above the top of the screen.
    EXPECT_EQ(VisibleWindowBounds({100, -200, 651, 560}, screens), QRect(100, 0, 651, 560));
    // Mostly on the second screen but with only its left corner reachable there: moved onto it.
    EXPECT_EQ(VisibleWindowBounds({3150, 100, 651, 560}, screens).left(), 3200 - 651);
}

TEST(WindowPlacementTest, ASecondWindowOpensBesideTheMainOneWhenThereIsRoom) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
    const QSize map(640, 600);
    // Right of it; left of it when the right has no room; over it when neither side has.
    EXPECT_EQ(BesideWindow(QRect(10, 20, 651, 560), map, screens), QRect(661, 20, 640, 600));
    EXPECT_EQ(BesideWindow(QRect(1260, 20, 651, 560), map, screens), QRect(620, 20, 640, 600));
    EXPECT_EQ(BesideWindow(QRect(400, 20, 1100, 560), map, screens), QRect(430, 50, 640, 600));
    // On the screen the main window is on, its bottom kept on that screen.
    EXPECT_EQ(BesideWindow(QRect(1925, 600, 600, 560), map, screens), QRect(2525, 424, 640, 600));
}

TEST(WindowPlacementTest, SizesAreMadeUsable) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1040)};
    EXPECT_EQ(VisibleWindowBounds({10, 10, 0, -50}, screens), QRect(10, 10, 200, 150));
    EXPECT_EQ(VisibleWindowBounds({0, 0, 100000, 100000}, screens), QRect(0, 0, 1920, 1040));
    EXPECT_EQ(VisibleWindowBounds({INT_MAX, INT_MIN, INT_MAX, INT_MAX}, screens), QRect(0, 0, 1920, 1040));
    EXPECT_EQ(VisibleWindowBounds({INT_MIN, INT_MAX, INT_MIN, INT_MIN}, screens), QRect(0, 890, 200, 150));
    // Without screens only the sizes are limited, and nothing overflows.
    const QRect alone = VisibleWindowBounds({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {});
    EXPECT_GT(alone.right(), alone.left());
}
