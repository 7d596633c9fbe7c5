// Opening levels of every kind through File > Open and showing their pages.
#include <QDir>
#include <QTest>

#include "app/bitmap_drawing.h"
#include "app/progress_window.h"
#include "app_fixture.h"
#include "level/pixel_conversion.h"

namespace {

QRgb PaletteColour(const pw::Ttrlevel& level, int index) {
    const auto* entry = &level.palette[static_cast<std::size_t>(3 * index)];
    return qRgb(entry[0] * 4, entry[1] * 4, entry[2] * 4);
}

std::uint16_t LevelWord(const pw::Ttrlevel& level, int page, int x, int y) {
    const std::size_t at =
        static_cast<std::size_t>(page) * 131072 + static_cast<std::size_t>(y * 256 + x) * 2;
    return static_cast<std::uint16_t>(level.pages16[at] | (level.pages16[at + 1] << 8));
}

int Index8(const pw::Ttrlevel& level, int page, int x, int y) {
    return level.pages8[static_cast<std::size_t>(page) * 65536 + static_cast<std::size_t>(y * 256 + x)];
}

std::uint16_t To565(QRgb colour) {
    return static_cast<std::uint16_t>(((qRed(colour) >> 3) << 11) | ((qGreen(colour) >> 2) << 5) |
                                      (qBlue(colour) >> 3));
}

// Every pixel of `picture` from row `top` on against page `page` of the level: through the palette
// times 4 for kinds 1 and 2, through the 5-6-5 expansion of the 16-bit page for the others. Pixels
// inside `skip` (a frame) are not compared.
::testing::AssertionResult ShowsPage(const QImage& picture, const pw::Ttrlevel& level, int page, int top = 0,
                                     const QRect& skip = {}) {
    const bool paletted = level.kind <= 2;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            if (skip.contains(x, y))
                continue;
            bool same;
            if (picture.format() == QImage::Format_RGB16) {
                const auto word = reinterpret_cast<const std::uint16_t*>(picture.constScanLine(top + y))[x];
                same = word == (paletted ? To565(PaletteColour(level, Index8(level, page, x, y)))
                                         : pw::Expand1555To565Word(LevelWord(level, page, x, y)));
            } else if (!paletted) {
                // 5-6-5 widened to 8 bits a component, the high bits repeated below.
                const QRgb shown = picture.pixel(x, top + y);
                const std::uint16_t w = pw::Expand1555To565Word(LevelWord(level, page, x, y));
                same = shown == qRgb(((w >> 11) << 3) | (w >> 13), (((w >> 5) & 63) << 2) | ((w >> 9) & 3),
                                     ((w & 31) << 3) | ((w >> 2) & 7));
            } else {
                same = picture.pixel(x, top + y) == PaletteColour(level, Index8(level, page, x, y));
            }
            if (!same)
                return ::testing::AssertionFailure() << "page " << page << " differs at " << x << "," << y;
        }
    }
    return ::testing::AssertionSuccess();
}

class OpenLevelTest : public AppTest, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(OpenLevelTest, ShowsFirstPageListsAndCaptions) {
    const int kind = GetParam();
    const QString path = WriteLevel(Level(kind, 3));
    OpenThroughMenu(path);

    ASSERT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    ASSERT_EQ(platform_.dialogs.size(), 1u);
    EXPECT_EQ(platform_.dialogs[0].request.title, "Open TR file");
    EXPECT_EQ(platform_.dialogs[0].request.filter,
              "All TR files (*.phd,*.tub,*.tr2,*.trg,*.tr4,*.trc)|*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc");

    const pw::Ttrlevel& level = Form1->Document().Level();
    ASSERT_EQ(level.kind, kind);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->ToStringList(),
              QStringList({"Page#1", "Page#2", "Page#3"}));
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->ItemIndex(), 0);
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:1/3");
    EXPECT_EQ(Form1->Caption(), path + "[*]");
    EXPECT_EQ(Form1->Document().LevelFileName(), path);
    EXPECT_EQ(Form1->Control<TLabel>("Label3")->Caption(), QFileInfo(path).fileName());
    ASSERT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Count(), level.num_object_textures);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Strings(0), "Texture#0");
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 0);

    // Page 1 without a tile frame.
    EXPECT_TRUE(ShowsPage(Form1->Control<TImage>("Image1")->Picture(), level, 0));

    EXPECT_FALSE(Form5->isVisible());
    EXPECT_EQ(Form5->Caption(), "Loading Level...");
    EXPECT_FALSE(platform_.busy);
    EXPECT_FALSE(Form1->Control<TMenuItem>("Paste1")->Enabled());
}

TEST_P(OpenLevelTest, ChoosingAnotherPageShowsItWithTheTileFrame) {
    OpenThroughMenu(WriteLevel(Level(GetParam(), 3)));
    Form1->Document().SetSelectedTile({64, 128, 128, 192});

    QTest::keyClick(Form1->Control<TComboBox>("ComboBox1"), Qt::Key_Down);

    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->ItemIndex(), 1);
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:2/3");
    const QImage& shown = Form1->Control<TImage>("Image1")->Picture();
    EXPECT_TRUE(ShowsPage(shown, Form1->Document().Level(), 1, 0, QRect(64, 128, 64, 64)));
    // On 8-bit views the frame takes the opaque entry nearest white; entry 0 shows transparent pixels.
    QRgb frame = qRgb(255, 255, 255);
    if (shown.format() == QImage::Format_Indexed8) {
        int best = 1;
        const auto whiteness = [&](int i) {
            return qRed(shown.color(i)) + qGreen(shown.color(i)) + qBlue(shown.color(i));
        };
        for (int i = 2; i < shown.colorCount(); ++i)
            best = whiteness(i) > whiteness(best) ? i : best;
        frame = shown.color(best);
        EXPECT_EQ(shown.pixelIndex(64, 128), best);
    }
    EXPECT_EQ(shown.pixel(64, 128), frame);
    EXPECT_EQ(shown.pixel(127, 191), frame);
    // The frame is drawn on the view only.
    EXPECT_FALSE(Form1->Document().IsModified());
}

INSTANTIATE_TEST_SUITE_P(AllKinds, OpenLevelTest, ::testing::Range(1, 8));

TEST_F(AppTest, TransparentColourShownForKindsWithPalettesOnly) {
    auto tr1 = Level(1, 1);
    tr1.palette[0] = 10; // red, green and blue differ, so a swapped order shows
    tr1.palette[1] = 20;
    tr1.palette[2] = 63;
    OpenThroughMenu(WriteLevel(tr1));
    EXPECT_EQ(Form1->Control<TLabel>("Label6")->Caption(), "40,80,252");

    OpenThroughMenu(WriteLevel(Level(6, 1)));
    EXPECT_EQ(Form1->Control<TLabel>("Label6")->Caption(), "40,80,252");

    auto tr3 = Level(5, 1);
    tr3.palette[0] = tr3.palette[1] = tr3.palette[2] = 0;
    OpenThroughMenu(WriteLevel(tr3));
    EXPECT_EQ(Form1->Control<TLabel>("Label6")->Caption(), "0,0,0");
}

TEST_F(AppTest, SecondOpenReplacesEverythingButTheSelectedTile) {
    OpenThroughMenu(WriteLevel(Level(3, 3)));
    QTest::keyClick(Form1->Control<TComboBox>("ComboBox1"), Qt::Key_Down);
    Form1->Document().SetSelectedTile({192, 0, 256, 64});
    Form1->Control<TMenuItem>("Paste1")->SetEnabled(true);

    auto single = Level(6, 1);
    single.object_textures.clear();
    const QString path = WriteLevel(single);
    OpenThroughMenu(path);

    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->ItemIndex(), 0);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->ToStringList(), QStringList({"Page#1"}));
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:1/1");
    EXPECT_EQ(Form1->Caption(), path + "[*]");
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Count(), 0);
    EXPECT_FALSE(Form1->Control<TMenuItem>("Paste1")->Enabled());
    EXPECT_EQ(Form1->Document().SelectedTile(), (TRect{192, 0, 256, 64}));
    EXPECT_TRUE(ShowsPage(Form1->Control<TImage>("Image1")->Picture(), Form1->Document().Level(), 0));
}

TEST_F(AppTest, OpenShortcutAsksForALevel) {
    Form1->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    QTest::keyClick(Form1, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(platform_.dialogs.size(), 1u);
    EXPECT_FALSE(platform_.dialogs[0].save);
    EXPECT_FALSE(Form1->Document().HasLevel());
}

TEST_F(AppTest, BundledSamplesOpen) {
    const QStringList samples =
        QDir(PW_SAMPLES_DIR).entryList({"*.phd", "*.tub", "*.tr2", "*.trg", "*.tr4", "*.trc"}, QDir::Files);
    if (samples.isEmpty())
        GTEST_SKIP() << "no sample levels in " << PW_SAMPLES_DIR;
    for (const QString& name : samples) {
        OpenThroughMenu(QDir(PW_SAMPLES_DIR).filePath(name));
        EXPECT_TRUE(platform_.messages.empty()) << name.toStdString();
        ASSERT_TRUE(Form1->Document().HasLevel()) << name.toStdString();
        EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(),
                  QString("Page:1/%1").arg(Form1->Document().Level().num_pages));
        EXPECT_TRUE(ShowsPage(Form1->Control<TImage>("Image1")->Picture(), Form1->Document().Level(), 0))
            << name.toStdString();
    }
}
