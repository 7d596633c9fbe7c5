// Editing through the main window: texture sources, tile and page copies, picking, the texture table,
// defining and cloning. Expected pixel values are worked out by hand.
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>

#include "app/main_window.h"
#include "app_fixture.h"
#include "level/object_textures.h"
#include "texture_windows/animated_preview.h"
#include "texture_windows/texture_preview.h"

namespace {

using pw::tobjtexture;
using pw::tvertex_coords;

constexpr QRgb kOrange = 0xFFF88408; // 248, 132, 8: word 0x7E01, palette entry 7 below
constexpr QRgb kSky = 0xFF3080F0;    // 48, 128, 240: word 0x1A1E, 0x9A1E with the opaque flag

std::uint16_t Word(const pw::Ttrlevel& l, int page, int x, int y) {
    const std::size_t at =
        static_cast<std::size_t>(page) * 131072 + static_cast<std::size_t>(y * 256 + x) * 2;
    return static_cast<std::uint16_t>(l.pages16[at] | l.pages16[at + 1] << 8);
}
std::uint8_t Index(const pw::Ttrlevel& l, int page, int x, int y) {
    return l.pages8[static_cast<std::size_t>(page) * 65536 + static_cast<std::size_t>(y * 256 + x)];
}
pw::Bytes Pixel32(const pw::Ttrlevel& l, int page, int x, int y) {
    const std::size_t at =
        (static_cast<std::size_t>(page) * 65536 + static_cast<std::size_t>(y * 256 + x)) * 4;
    return {l.pages32.begin() + static_cast<std::ptrdiff_t>(at),
            l.pages32.begin() + static_cast<std::ptrdiff_t>(at + 4)};
}

// Bytes of `after` differ from `before` only inside the square of `page` (pixels of `bpp` bytes).
::testing::AssertionResult OnlySquareChanged(const pw::Bytes& before, const pw::Bytes& after, int bpp,
                                             int page, int left, int top, int size) {
    if (before.size() != after.size())
        return ::testing::AssertionFailure() << "size changed";
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::size_t pixel = i / bpp;
        const int p = static_cast<int>(pixel / 65536);
        const int x = static_cast<int>(pixel % 256);
        const int y = static_cast<int>(pixel % 65536 / 256);
        const bool inside = p == page && x >= left && x < left + size && y >= top && y < top + size;
        if (!inside && before[i] != after[i])
            return ::testing::AssertionFailure() << "changed outside at page " << p << " " << x << "," << y;
    }
    return ::testing::AssertionSuccess();
}

tobjtexture Rect(int page, int x0, int y0, int x1, int y1, std::uint16_t attribute = 0) {
    tobjtexture t = pw::MakeRectangleTexture(pw::kind_tr2, page, x0, y0, x1, y1);
    t.attribute = attribute;
    return t;
}

class EditingTest : public AppTest {
protected:
    // A level whose palette is black but for entry 7 (248, 132, 8) and entry 9 (48, 128, 240).
    static pw::fixtures::LevelDescription Paletted(int kind, int pages) {
        auto level = Level(kind, pages);
        level.palette.fill(0);
        level.palette[21] = 62, level.palette[22] = 33, level.palette[23] = 2;
        level.palette[27] = 12, level.palette[28] = 32, level.palette[29] = 60;
        return level;
    }

    void Open(const pw::fixtures::LevelDescription& level) {
        OpenThroughMenu(WriteLevel(level));
        ASSERT_TRUE(Form1->Document().HasLevel()) << platform_.MessageTexts().join('\n').toStdString();
    }

    // A picture source of `pages` pages, page q filled with colours[q], saved as `name`.
    QString Picture(const QString& name, std::vector<QRgb> colours, int width = 256, int extra_rows = 0) {
        QImage image(width, 256 * static_cast<int>(colours.size()) + extra_rows, QImage::Format_RGB888);
        image.fill(Qt::black);
        for (std::size_t q = 0; q < colours.size(); ++q)
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < width; ++x)
                    image.setPixel(x, static_cast<int>(q) * 256 + y, colours[q]);
        const QString path = Folder() + "/" + name;
        EXPECT_TRUE(image.save(path));
        return path;
    }

    void OpenSource(const QString& path) {
        platform_.file_answers.push_back(path);
        Form1->Control<TMenuItem>("openimage1")->Action()->trigger();
    }

    void SelectLevelPage(int page) {
        Form1->Control<TComboBox>("ComboBox1")->SetItemIndex(page);
        Form1->Control<TComboBox>("ComboBox1")->OnChange();
    }
    void SelectSourcePage(int page) {
        Form1->Control<TComboBox>("ComboBox2")->SetItemIndex(page);
        Form1->Control<TComboBox>("ComboBox2")->OnChange();
    }

    // Mouse events at exact picture positions (QTest would take (0, 0) for the widget's centre).
    static void Send(QWidget* image, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                     QPoint at, Qt::KeyboardModifiers mods) {
        QMouseEvent event(type, at, image->mapToGlobal(at), button, held, mods);
        QApplication::sendEvent(image, &event);
    }
    static void Press(QWidget* image, Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers mods = {}) {
        Send(image, QEvent::MouseButtonPress, button, button, {x, y}, mods);
        Send(image, QEvent::MouseButtonRelease, button, Qt::NoButton, {x, y}, mods);
    }
    static void Drag(QWidget* image, QPoint from, QPoint to) {
        Send(image, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from, Qt::ShiftModifier);
        Send(image, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, to, Qt::ShiftModifier);
        Send(image, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, to, Qt::ShiftModifier);
    }
    // Keys go where the window's focus is, as a user's would.
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : static_cast<QWidget*>(Form1), key, mods);
    }

    const pw::Ttrlevel& Lvl() const { return Form1->Document().Level(); }
};

TEST_F(EditingTest, LeftClickSelectsTheTileUnderThePointerAndFramesIt) {
    Open(Level(3, 2));
    Press(Form1->Control<TImage>("Image1"), Qt::LeftButton, 0, 0);
    EXPECT_EQ(Form1->Document().SelectedTile(), (TRect{0, 0, 64, 64}));
    Press(Form1->Control<TImage>("Image1"), Qt::LeftButton, 64, 200);
    EXPECT_EQ(Form1->Document().SelectedTile(), (TRect{64, 192, 128, 256}));
    Press(Form1->Control<TImage>("Image1"), Qt::LeftButton, 255, 255);
    EXPECT_EQ(Form1->Document().SelectedTile(), (TRect{192, 192, 256, 256}));
    const QImage& shown = Form1->Control<TImage>("Image1")->Picture();
    EXPECT_EQ(shown.pixel(192, 192), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(255, 255), qRgb(255, 255, 255));
}

TEST_F(EditingTest, PictureSourceListsWholePagesOnly) {
    OpenSource(Picture("source.bmp", {kOrange, kSky}, 256, 88));
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox2")->Items()->ToStringList(),
              QStringList({"Page#1", "Page#2"}));
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox2")->Caption(), "Page:1/2");
    EXPECT_EQ(Form1->Control<TLabel>("Label4")->Caption(), "source.bmp");
    EXPECT_EQ(Form1->Control<TImage>("Image2")->Picture().pixel(10, 10), kOrange);
    ASSERT_EQ(platform_.dialogs.size(), 1u);
    EXPECT_TRUE(platform_.dialogs[0].request.filter.contains("*.png"));

    SelectSourcePage(1);
    EXPECT_EQ(Form1->Control<TImage>("Image2")->Picture().pixel(10, 10), kSky);
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox2")->Caption(), "Page:2/2");
}

TEST_F(EditingTest, UnusableSourcesKeepThePreviousSource) {
    OpenSource(Picture("good.bmp", {kOrange, kSky}));
    SelectSourcePage(1);
    OpenSource(WriteBytes("bad.tr2", pw::fixtures::Bytes(64, 0x77)));
    OpenSource(WriteBytes("broken.png", pw::fixtures::Bytes(64, 0x77)));
    OpenSource(Picture("wide.png", {kOrange}, 512));
    OpenSource(WriteLevel(Level(3, 0), "pageless.tr2"));
    const QStringList messages = platform_.MessageTexts();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_TRUE(messages[0].startsWith("Invalid TR file format!!!\n\n")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("bad.tr2"));
    EXPECT_TRUE(messages[1].contains("broken.png"));
    EXPECT_EQ(messages[2], "Bitmap must be 256 width and 256 height or more");
    EXPECT_TRUE(messages[3].endsWith("pageless.tr2 holds no texture pages.")) << messages[3].toStdString();

    EXPECT_EQ(Form1->Control<TLabel>("Label4")->Caption(), "good.bmp");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox2")->Items()->Count(), 2);
    EXPECT_EQ(Form1->Document().Source().PageCount(), 2);
    EXPECT_EQ(Form1->Control<TImage>("Image2")->Picture().pixel(10, 10), kSky);
    EXPECT_FALSE(platform_.busy);
}

TEST_F(EditingTest, ExtensionInAnyCaseIsReadAsAPicture) {
    OpenSource(Picture("source.Bmp", {kOrange}));
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_EQ(Form1->Control<TLabel>("Label4")->Caption(), "source.Bmp");
    EXPECT_EQ(Form1->Control<TImage>("Image2")->Picture().pixel(10, 10), kOrange);
}

class TileCopyTest : public EditingTest, public ::testing::WithParamInterface<int> {};

TEST_P(TileCopyTest, ChangesOnlyTheSelectedTileInTheDepthsOfTheKind) {
    const int kind = GetParam();
    Open(Paletted(kind, 3));
    OpenSource(Picture("source.bmp", {kSky, kOrange}));
    SelectSourcePage(1);
    SelectLevelPage(2);
    Press(Form1->Control<TImage>("Image1"), Qt::LeftButton, 70, 200); // tile (64, 192)
    const pw::Ttrlevel before = Lvl();

    Press(Form1->Control<TImage>("Image2"), Qt::LeftButton, 130, 70); // source tile (128, 64) of page 2

    EXPECT_TRUE(OnlySquareChanged(before.pages8, Lvl().pages8, 1, 2, 64, 192, 64));
    EXPECT_TRUE(OnlySquareChanged(before.pages16, Lvl().pages16, 2, 2, 64, 192, 64));
    EXPECT_TRUE(OnlySquareChanged(before.pages32, Lvl().pages32, 4, 2, 64, 192, 64));
    if (kind <= 5) {
        EXPECT_EQ(Index(Lvl(), 2, 64, 192), 7);
        EXPECT_EQ(Index(Lvl(), 2, 127, 255), 7);
    }
    if (kind >= 3) { // an opaque picture pixel carries the opaque flag
        EXPECT_EQ(Word(Lvl(), 2, 64, 192), 0xFE01);
        EXPECT_EQ(Word(Lvl(), 2, 127, 255), 0xFE01);
    }
    if (kind >= 6) {
        EXPECT_EQ(Pixel32(Lvl(), 2, 100, 200), (pw::Bytes{0x08, 0x84, 0xF8, 0xFF}));
    }

    // The view shows the copied tile.
    const QRgb shown = Form1->Control<TImage>("Image1")->Picture().pixel(100, 220);
    EXPECT_EQ(qRed(shown) & 0xF8, 0xF8);
    EXPECT_EQ(qGreen(shown) & 0xF8, 0x80);
    EXPECT_EQ(qBlue(shown) & 0xF8, 0x08);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TileCopyTest, ::testing::Values(1, 3, 6));

TEST_F(EditingTest, WithoutASourceNothingIsCopied) {
    Open(Level(6, 1));
    const pw::Ttrlevel before = Lvl();
    EXPECT_FALSE(Form1->Control<TButton>("Button1")->isEnabled());
    Press(Form1->Control<TImage>("Image2"), Qt::LeftButton, 10, 10);
    Form1->Control<TButton>("Button1")->click();
    EXPECT_EQ(Lvl().pages16, before.pages16);
    EXPECT_EQ(Lvl().pages32, before.pages32);
    OpenSource(Picture("wide.png", {kOrange}, 512)); // refused: still no source
    Press(Form1->Control<TImage>("Image2"), Qt::LeftButton, 10, 10);
    EXPECT_EQ(Lvl().pages16, before.pages16);
    OpenSource(Picture("good.png", {kOrange}));
    EXPECT_TRUE(Form1->Control<TButton>("Button1")->isEnabled());
}

// A source tile of opaque black, transparent black and two colours whose red and blue differ, as real
// levels store them: 16-bit words with the opaque flag, 32-bit pixels B, G, R, A that agree with them.
TEST_F(EditingTest, LevelToLevelCopiesKeepTheDepthsInAgreementForEveryPairOfKinds) {
    const std::uint16_t words[4] = {0x8000, 0x0000, 0xFE02, 0x851D};
    const pw::Bytes pixels[4] = {
        {0, 0, 0, 0xFF}, {0, 0, 0, 0}, {0x10, 0x80, 0xF8, 0xFF}, {0xE8, 0x40, 0x08, 0xFF}};
    LevelDocument& doc = Form1->Document();
    for (int from = 1; from <= 7; ++from) {
        auto source = Level(from, 1);
        for (std::size_t i = 0; i < 65536; ++i) {
            if (from >= 3)
                pw::fixtures::PutU16(source.pages16, 2 * i, words[i % 4]);
            if (from >= 6)
                std::copy(pixels[i % 4].begin(), pixels[i % 4].end(), source.pages32.begin() + 4 * i);
        }
        ASSERT_EQ(doc.OpenSource(WriteLevel(source, "source" + source.FileName()), nullptr),
                  pw::Status::done);
        for (int to = 1; to <= 7; ++to) {
            ASSERT_EQ(doc.Open(WriteLevel(Level(to, 1)), nullptr), pw::Status::done);
            doc.CopyTile(0, 0, 0, 0);
            for (int x = 0; x < 64; ++x) {
                const int y = x / 4 * 4;
                SCOPED_TRACE(testing::Message() << "kind " << from << " into " << to << " at " << x);
                if (to >= 6) {
                    EXPECT_EQ(Word(Lvl(), 0, x, y) == 0, Pixel32(Lvl(), 0, x, y)[3] == 0);
                }
                if (from >= 3 && to >= 3) {
                    EXPECT_EQ(Word(Lvl(), 0, x, y), words[x % 4]);
                }
                if (from >= 6 && to >= 6) {
                    EXPECT_EQ(Pixel32(Lvl(), 0, x, y), pixels[x % 4]);
                }
            }
        }
    }
}

TEST_F(EditingTest, WholePageCopyFromSourcePage3IntoLevelPage6) {
    Open(Paletted(3, 6));
    OpenSource(Picture("pages.png", {kOrange, kOrange, kSky, kOrange}));
    SelectSourcePage(2);
    SelectLevelPage(5);
    const pw::Ttrlevel before = Lvl();

    Form1->Control<TButton>("Button1")->click();

    EXPECT_TRUE(OnlySquareChanged(before.pages16, Lvl().pages16, 2, 5, 0, 0, 256));
    EXPECT_TRUE(OnlySquareChanged(before.pages8, Lvl().pages8, 1, 5, 0, 0, 256));
    EXPECT_EQ(Word(Lvl(), 5, 0, 0), 0x9A1E);
    EXPECT_EQ(Word(Lvl(), 5, 255, 255), 0x9A1E);
    EXPECT_EQ(Index(Lvl(), 5, 128, 128), 9);
    EXPECT_EQ(Form1->Control<TImage>("Image1")->Picture().pixel(3, 3),
              PageRegion(Lvl(), 5, QRect(3, 3, 1, 1)).pixel(0, 0));
}

TEST_F(EditingTest, Kind6SourceIntoKind6LevelKeeps32BitPixelsExactly) {
    auto source = Level(6, 2);
    source.pages32 = pw::fixtures::Pattern(2 * 262144, 77);
    OpenSource(WriteLevel(source, "source.tr4"));
    ASSERT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    Open(Level(6, 2));
    SelectSourcePage(1);
    Press(Form1->Control<TImage>("Image2"), Qt::LeftButton, 65, 130); // source tile (64, 128) of page 2

    for (int y = 0; y < 64; y += 9)
        for (int x = 0; x < 64; x += 7) {
            const std::size_t at = (65536 + static_cast<std::size_t>((128 + y) * 256 + 64 + x)) * 4;
            EXPECT_EQ(Pixel32(Lvl(), 0, x, y),
                      pw::Bytes(source.pages32.begin() + static_cast<std::ptrdiff_t>(at),
                                source.pages32.begin() + static_cast<std::ptrdiff_t>(at + 4)));
        }
}

TEST_F(EditingTest, RightClickPicksTheFirstTextureUnderThePointer) {
    auto level = Level(3, 4);
    level.object_textures = {Rect(1, 0, 0, 63, 63), Rect(0, 32, 32, 95, 95), Rect(0, 0, 0, 63, 63),
                             Rect(0x8003, 100, 100, 120, 120)};
    Open(level);
    Press(Form1->Control<TImage>("Image1"), Qt::RightButton, 40, 40); // entries 1 and 2 overlap here
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 1);
    Press(Form1->Control<TImage>("Image1"), Qt::MiddleButton, 10, 10);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 2);
    Press(Form1->Control<TImage>("Image1"), Qt::RightButton, 200, 200); // nothing there
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 2);
    SelectLevelPage(3);
    Press(Form1->Control<TImage>("Image1"), Qt::RightButton, 110, 110);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 3);
    EXPECT_EQ(Form1->Control<TLabel>("Label7")->Caption(), QString::fromUtf8("21 × 21"));
}

TEST_F(EditingTest, CopyAndPasteWholeRecords) {
    auto level = Level(6, 1);
    level.object_textures = {Rect(0, 0, 0, 63, 63), Rect(0, 64, 64, 127, 127, 2)};
    level.object_textures[1].trc_extra = 9;
    level.object_textures[1].base_u = 0x12345678;
    Open(level);
    Form1->Control<TMenuItem>("Paste1")->Action()->trigger(); // nothing copied yet
    EXPECT_EQ(Lvl().object_textures[0], level.object_textures[0]);

    Form1->Control<TListBox>("ListBox1")->SetItemIndex(1);
    Form1->Control<TListBox>("ListBox1")->OnClick();
    Form1->Control<TMenuItem>("Copy1")->Action()->trigger();
    EXPECT_TRUE(Form1->Control<TMenuItem>("Paste1")->Enabled());
    EXPECT_EQ(Form1->Control<TImage>("Image3")->Picture().pixel(0, 0), qRgb(255, 255, 255));
    const pw::tobjtexture copied = Lvl().object_textures[1]; // as read from the file
    Form1->Control<TListBox>("ListBox1")->SetItemIndex(0);
    Form1->Control<TMenuItem>("Paste1")->Action()->trigger();
    EXPECT_EQ(Lvl().object_textures[0], copied);
    EXPECT_EQ(Lvl().object_textures[1], copied);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Strings(0), "Texture#0");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox3")->ItemIndex(), 2);
}

TEST_F(EditingTest, CopyAndPasteWithAnEmptyTableDoNothing) {
    auto level = Level(1, 1);
    level.object_textures.clear();
    Open(level);
    Form1->Control<TMenuItem>("Copy1")->Action()->trigger();
    Form1->Control<TMenuItem>("Paste1")->Action()->trigger();
    EXPECT_FALSE(Form1->Control<TMenuItem>("Paste1")->Enabled());
    EXPECT_EQ(Lvl().num_object_textures, 0);
}

TEST_F(EditingTest, PreviewCutsTheTextureFromItsPageAndFollowsMirroring) {
    auto level = Level(3, 3);
    level.object_textures = {Rect(0, 0, 0, 15, 15), Rect(2, 64, 128, 127, 191)};
    Open(level);
    const tobjtexture loaded = Lvl().object_textures[1];
    Form1->Control<TListBox>("ListBox1")->SetItemIndex(1);
    Form1->Control<TListBox>("ListBox1")->OnClick();
    // Page 3 as its view shows it, away from the tile frame.
    SelectLevelPage(2);
    const QImage expected = Form1->Control<TImage>("Image1")
                                ->Picture()
                                .convertToFormat(QImage::Format_RGB888)
                                .copy(64, 128, 64, 64);
    EXPECT_EQ(Form1->Control<TImage>("Image3")->Picture().convertToFormat(QImage::Format_RGB888), expected);
    EXPECT_FALSE(Form1->Control<TCheckBox>("CheckBox1")->Checked());
    EXPECT_FALSE(Form1->Control<TCheckBox>("CheckBox2")->Checked());

    Form1->Control<TCheckBox>("CheckBox1")->click();
    const tobjtexture& t = Lvl().object_textures[1];
    EXPECT_EQ(t.vertices[0].xpixel, 127);
    EXPECT_EQ(t.vertices[0].xcoord, 255);
    EXPECT_EQ(t.vertices[1].xpixel, 64);
    EXPECT_TRUE(Form1->Control<TCheckBox>("CheckBox1")->Checked());
    EXPECT_EQ(Form1->Control<TImage>("Image3")->Picture().convertToFormat(QImage::Format_RGB888),
              expected.mirrored(true, false));

    Form1->Control<TCheckBox>("CheckBox1")->click();
    EXPECT_EQ(Lvl().object_textures[1], loaded);
    EXPECT_FALSE(Form1->Control<TCheckBox>("CheckBox1")->Checked());

    // Selecting a mirrored texture checks the box without mirroring it again.
    Form1->Control<TCheckBox>("CheckBox2")->click();
    const tobjtexture mirrored = Lvl().object_textures[1];
    Form1->Control<TListBox>("ListBox1")->SetItemIndex(0);
    Form1->Control<TListBox>("ListBox1")->OnClick();
    Form1->Control<TListBox>("ListBox1")->SetItemIndex(1);
    Form1->Control<TListBox>("ListBox1")->OnClick();
    EXPECT_TRUE(Form1->Control<TCheckBox>("CheckBox2")->Checked());
    EXPECT_EQ(Lvl().object_textures[1], mirrored);
}

TEST_F(EditingTest, TrianglePreviewCarriesAWhiteOutline) {
    auto level = Level(6, 1);
    tobjtexture t;
    t.vertices = {tvertex_coords{0, 10, 0, 20}, tvertex_coords{255, 40, 0, 20},
                  tvertex_coords{0, 10, 255, 60}, tvertex_coords{}};
    level.object_textures = {t};
    Open(level);
    Form1->Control<TListBox>("ListBox1")->OnClick();
    const QImage& preview = Form1->Control<TImage>("Image3")->Picture();
    ASSERT_EQ(preview.size(), QSize(62, 82)); // 31 x 41, twice as large to fill its room
    EXPECT_EQ(preview.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(preview.pixel(61, 3), qRgb(255, 255, 255));
    EXPECT_EQ(preview.pixel(3, 81), qRgb(255, 255, 255));
}

TEST_F(EditingTest, AttributeOutsideTheListShowsNoEntryAndChoosingOneStoresIt) {
    auto level = Level(5, 1);
    level.object_textures = {Rect(0, 0, 0, 63, 63, 5)};
    Open(level);
    Form1->Control<TListBox>("ListBox1")->OnClick();
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox3")->ItemIndex(), -1);
    Form1->Control<TComboBox>("ComboBox3")->SetItemIndex(0);
    Form1->Control<TComboBox>("ComboBox3")->OnChange();
    EXPECT_EQ(Lvl().object_textures[0].attribute, 0);
    Form1->Control<TComboBox>("ComboBox3")->SetItemIndex(1);
    Form1->Control<TComboBox>("ComboBox3")->OnChange();
    EXPECT_EQ(Lvl().object_textures[0].attribute, 1);
}

TEST_F(EditingTest, GridDefinitionsAppendSixteenAndSelectTheFirst) {
    auto level = Level(1, 4);
    level.object_textures.assign(100, Rect(0, 0, 0, 7, 7));
    Open(level);
    SelectLevelPage(3);
    Form1->Control<TMenuItem>("Define64x64textures1")->Action()->trigger();
    ASSERT_EQ(Lvl().num_object_textures, 116);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Count(), 116);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Strings(115), "Texture#115");
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 100);
    EXPECT_EQ(Lvl().object_textures[100].tile, 3);
    EXPECT_EQ(Lvl().object_textures[100].vertices[0], (tvertex_coords{1, 0, 1, 0}));
    EXPECT_EQ(Form1->Control<TImage>("Image3")->Picture().size(), QSize(64, 64));

    auto tr4 = Level(6, 1);
    tr4.object_textures.clear();
    Open(tr4);
    Form1->Control<TMenuItem>("Define64x16textures1")->Action()->trigger();
    const tobjtexture& cell = Lvl().object_textures[6];
    EXPECT_EQ(cell.vertices[0], (tvertex_coords{0, 128, 0, 112}));
    EXPECT_EQ(cell.vertices[2], (tvertex_coords{255, 191, 255, 127}));
    EXPECT_EQ(Form1->Control<TLabel>("Label7")->Caption(), QString::fromUtf8("64 × 16"));
}

TEST_F(EditingTest, MouseRectangleDefinesOneTexture) {
    auto level = Level(3, 1);
    level.object_textures.clear();
    Open(level);
    Drag(Form1->Control<TImage>("Image1"), {37, 70}, {101, 130});
    EXPECT_EQ(Form1->statusBar()->currentMessage(), "Selection: left 32, top 64, right 96, bottom 128");
    EXPECT_EQ(Form1->Control<TImage>("Image1")->Picture().pixel(32, 64), qRgb(255, 255, 255));

    Form1->Control<TMenuItem>("Definemouseselected1")->Action()->trigger();
    ASSERT_EQ(Lvl().num_object_textures, 1);
    const tobjtexture& t = Lvl().object_textures[0];
    EXPECT_EQ(t.vertices[0], (tvertex_coords{1, 32, 1, 64}));
    EXPECT_EQ(t.vertices[2], (tvertex_coords{255, 95, 255, 127}));
    EXPECT_EQ(t.width, 63u);
    EXPECT_EQ(t.height, 63u);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->ToStringList(), QStringList({"Texture#0"}));
    EXPECT_NE(Form1->Control<TImage>("Image1")->Picture().pixel(32, 64), qRgb(255, 255, 255));

    Form1->Control<TMenuItem>("Definemouseselected1")->Action()->trigger();
    EXPECT_EQ(Lvl().num_object_textures, 1);
}

TEST_F(EditingTest, MouseRectangleMovesWithShiftKeysAndStaysInsideThePage) {
    Open(Level(3, 1));
    Form1->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Drag(Form1->Control<TImage>("Image1"), {200, 10}, {250, 40});
    EXPECT_EQ(Form1->statusBar()->currentMessage(), "Selection: left 192, top 0, right 240, bottom 32");
    Key(Qt::Key_D, Qt::ShiftModifier);
    EXPECT_EQ(Form1->statusBar()->currentMessage(), "Selection: left 192, top 16, right 240, bottom 48");
    Key(Qt::Key_D);
    EXPECT_EQ(Form1->statusBar()->currentMessage(), "Selection: left 192, top 16, right 240, bottom 48");
    Key(Qt::Key_S, Qt::ShiftModifier);
    Key(Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(Form1->statusBar()->currentMessage(), "Selection: left 208, top 16, right 256, bottom 48");
    Key(Qt::Key_E, Qt::ShiftModifier);
    Key(Qt::Key_E, Qt::ShiftModifier);
    EXPECT_EQ(Form1->statusBar()->currentMessage(), "Selection: left 208, top 0, right 256, bottom 32");

    // The keys move only the rectangle, whichever control has the focus.
    Form1->Control<TComboBox>("ComboBox3")->setFocus();
    const auto attribute = Lvl().object_textures[0].attribute;
    Key(Qt::Key_A, Qt::ShiftModifier);
    Key(Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(Form1->statusBar()->currentMessage(), "Selection: left 208, top 0, right 256, bottom 32");
    EXPECT_EQ(Lvl().object_textures[0].attribute, attribute);

    // A press without a drag leaves an empty rectangle, which defines nothing.
    Drag(Form1->Control<TImage>("Image1"), {50, 50}, {50, 50});
    const int count = Lvl().num_object_textures;
    Form1->Control<TMenuItem>("Definemouseselected1")->Action()->trigger();
    EXPECT_EQ(Lvl().num_object_textures, count);
}

TEST_F(EditingTest, CloneAppendsACopyAndSaysItsIndex) {
    auto level = Level(4, 1);
    level.object_textures.assign(200, Rect(0, 0, 0, 31, 31));
    level.object_textures[5] = Rect(0, 16, 16, 79, 47, 2);
    Open(level);
    Form1->Control<TListBox>("ListBox1")->SetItemIndex(5);
    Form1->Control<TListBox>("ListBox1")->OnClick();
    Form1->Control<TButton>("Button2")->click();
    EXPECT_EQ(platform_.MessageTexts(), QStringList({"Cloned Texture ID: 200"}));
    ASSERT_EQ(Lvl().num_object_textures, 201);
    EXPECT_EQ(Lvl().object_textures[200], Lvl().object_textures[5]);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Count(), 201);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->Items()->Strings(200), "Texture#200");
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 200);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox3")->ItemIndex(), 2);
}

TEST_F(EditingTest, KeyboardReachesBothViewsMovesTheTileAndCopiesFromTheSourceCursor) {
    Open(Level(3, 1));
    OpenSource(Picture("tiles.png", {kSky}));
    Form1->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Form1->Control<TComboBox>("ComboBox1")->setFocus();
    QStringList reached;
    for (int i = 0; i < 5; ++i) {
        Key(Qt::Key_Tab);
        reached.append(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(reached, QStringList({"Image1", "ComboBox2", "Image2", "Button1", "ListBox1"}));

    Form1->Control<TImage>("Image1")->setFocus();
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Form1->Document().SelectedTile(), (TRect{64, 128, 128, 192}));
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Left); // stops at the page's edge
    EXPECT_EQ(Form1->Document().SelectedTile(), (TRect{0, 128, 64, 192}));

    // Enter copies the source tile under the cursor, framed while the view has the focus.
    Form1->Control<TImage>("Image2")->setFocus();
    Key(Qt::Key_Right);
    EXPECT_EQ(Form1->Control<TImage>("Image2")->Picture().pixel(64, 0), qRgb(255, 255, 0));
    const pw::Ttrlevel before = Lvl();
    Key(Qt::Key_Return);
    EXPECT_TRUE(OnlySquareChanged(before.pages16, Lvl().pages16, 2, 0, 0, 128, 64));
    EXPECT_EQ(Word(Lvl(), 0, 0, 128), 0x9A1E);
    Form1->Control<TListBox>("ListBox1")->setFocus();
    EXPECT_EQ(Form1->Control<TImage>("Image2")->Picture().pixel(64, 0),
              kSky); // the frame goes with the focus
}

TEST_F(EditingTest, GoToTextureSelectsTheNumberGiven) {
    auto level = Level(3, 1);
    level.object_textures.assign(300, Rect(0, 0, 0, 15, 15));
    level.object_textures[250] = Rect(0, 0, 0, 7, 3);
    Open(level);
    platform_.number_answers = {250, 9999};
    Form1->Control<TMenuItem>("GoToTexture1")->Action()->trigger();
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 250);
    EXPECT_EQ(Form1->Control<TLabel>("Label7")->Caption(),
              QString::fromUtf8("8 × 4")); // its preview is shown
    EXPECT_EQ(platform_.number_ranges.back(), (std::pair{0, 299}));
    Form1->Control<TMenuItem>("GoToTexture1")
        ->Action()
        ->trigger(); // the dialog keeps the number inside its range
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 299);
    Form1->Control<TMenuItem>("GoToTexture1")->Action()->trigger(); // cancelled
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 299);
}

TEST(TexturePreviewScaling, WholeStepsNearestNeighbourToTheLargestSizeThatFits) {
    const QSize box(156, 82);
    for (const QSize size : {QSize(2, 2), QSize(8, 8), QSize(16, 16), QSize(31, 41), QSize(64, 64),
                             QSize(200, 30), QSize(256, 256)}) {
        QImage texture(size, QImage::Format_RGB888);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                texture.setPixel(x, y, qRgb(x * 7, y * 5, (x ^ y) * 3));
        int factor = 1;
        while (size.width() * (factor + 1) <= box.width() && size.height() * (factor + 1) <= box.height())
            ++factor;
        const QImage shown = ScalePreviewToFit(texture, box);
        ASSERT_EQ(shown.size(), size * factor) << size.width() << "x" << size.height();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ASSERT_EQ(shown.pixel(x, y), texture.pixel(x / factor, y / factor));
    }
}

TEST_F(EditingTest, CommandsWithoutALevelDoNothing) {
    Form1->Control<TButton>("Button1")->click();
    Form1->Control<TButton>("Button2")->click();
    Press(Form1->Control<TImage>("Image1"), Qt::LeftButton, 10, 10);
    Press(Form1->Control<TImage>("Image2"), Qt::LeftButton, 10, 10);
    Form1->Control<TMenuItem>("Define64x64textures1")->Action()->trigger();
    Form1->Control<TMenuItem>("Definemouseselected1")->Action()->trigger();
    Form1->Control<TMenuItem>("Copy1")->Action()->trigger();
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_FALSE(Form1->Document().HasLevel());
    EXPECT_EQ(Form1->Document().Level().num_object_textures, 0);
}

} // namespace

namespace {

TEST_F(AppTest, TransparentColourStaysRightOfItsLabelWhateverItsLength) {
    Form1->Show();
    Form1->Control<TLabel>("Label5")->SetCaption(
        QStringLiteral("Couleur transparente 8 bits, dans une traduction plus longue :"));
    EXPECT_EQ(Form1->Control<TLabel>("Label6")->x(),
              Form1->Control<TLabel>("Label5")->geometry().right() + 4);
    Form1->Control<TLabel>("Label5")->SetCaption(QStringLiteral("8 bits:"));
    EXPECT_EQ(Form1->Control<TLabel>("Label6")->x(), 501);
}

} // namespace
