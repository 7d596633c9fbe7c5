// The page map window over the real main window: picking a texture with the mouse, following the
// texture list, redrawing after an undo, the main window's keys, and the colours it draws.
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "app_fixture.h"
#include "level/object_textures.h"
#include "level/page_export.h"
#include "texture_windows/animated_window.h"
#include "texture_windows/page_map_picture.h"
#include "texture_windows/page_map_window.h"

namespace {

class PageMapTest : public AppTest {
protected:
    static void Click(QWidget* view, QPoint at) {
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
            QApplication::sendEvent(view, &event);
        }
    }
};

TEST_F(PageMapTest, AClickAtATexturesCentrePicksItAndAnUndoRedraws) {
    auto level = Level(pw::kind_tr4, 2);
    level.object_textures = {pw::MakeRectangleTexture(pw::kind_tr4, 0, 0, 0, 255, 255),
                             pw::MakeRectangleTexture(pw::kind_tr4, 0, 100, 100, 163, 131),
                             pw::MakeRectangleTexture(pw::kind_tr4, 1, 8, 8, 71, 71)};
    OpenThroughMenu(WriteLevel(level));
    ASSERT_TRUE(Form1->Document().HasLevel());
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    ASSERT_TRUE(PageMap->isVisible());

    // The topmost texture first, then the one under it.
    const QPoint centre = PageMap->View->TextureRect(1).center();
    Click(PageMap->View, centre);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 1);
    EXPECT_EQ(Form1->Document().SelectedTexture(), 1);
    Click(PageMap->View, centre);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 0);

    // A texture chosen in the list brings its page to the map and to the main window.
    Form1->SelectTexture(2);
    EXPECT_EQ(PageMap->ShownPage(), 1);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->ItemIndex(), 1);

    // A tile copy onto the page shown, then its undo.
    QImage source(256, 256, QImage::Format_RGB888);
    source.fill(qRgb(250, 120, 10));
    const QString path = Folder() + "/source.bmp";
    ASSERT_TRUE(source.save(path));
    platform_.file_answers.push_back(path);
    Form1->Control<TMenuItem>("openimage1")->Action()->trigger();
    const QImage before = PageMap->View->Picture();
    Form1->Document().CopyTile(1, 0, 0, 0);
    EXPECT_NE(PageMap->View->Picture(), before);
    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_EQ(PageMap->View->Picture(), before);

    // An added page gains its line in the map's page list, and its undo takes the line away.
    Form1->Document().AddPage();
    EXPECT_EQ(PageMap->PageBox->Items()->Count(), 3);
    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_EQ(PageMap->PageBox->Items()->Count(), 2);
}

// 8 bits from a component of `bits` bits, its high bits repeated below it.
int Widened(unsigned value, int bits) {
    return static_cast<int>((value << (8 - bits)) | (value >> (2 * bits - 8)));
}

// Every text the accessibility tree reports under `node`.
void CollectAccessibleTexts(QAccessibleInterface* node, QStringList& texts, int depth = 0) {
    if (!node || depth > 40)
        return;
    for (const auto kind : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
        texts.append(node->text(kind));
    for (int i = 0; i < node->childCount(); ++i)
        CollectAccessibleTexts(node->child(i), texts, depth + 1);
}

// Three textures over one pixel: clicks there go from the top one down, then round again.
TEST_F(PageMapTest, RepeatedClicksAtOnePixelCycleThroughEveryTextureThere) {
    auto level = Level(pw::kind_tr4, 1);
    level.object_textures = {pw::MakeRectangleTexture(pw::kind_tr4, 0, 0, 0, 255, 255),
                             pw::MakeRectangleTexture(pw::kind_tr4, 0, 10, 10, 100, 100),
                             pw::MakeRectangleTexture(pw::kind_tr4, 0, 40, 40, 60, 60)};
    OpenThroughMenu(WriteLevel(level));
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    ASSERT_TRUE(PageMap->isVisible());
    QSignalSpy chosen(PageMap, &TPageMap::TextureChosen);
    for (int i = 0; i < 7; ++i)
        PageMap->ViewClick(50, 50);
    std::vector<int> picks;
    for (const auto& arguments : chosen)
        picks.push_back(arguments.at(0).toInt());
    EXPECT_EQ(picks, (std::vector<int>{2, 1, 0, 2, 1, 0, 2}));
    PageMap->ViewClick(20, 20); // elsewhere: the top one there first
    EXPECT_EQ(chosen.back().at(0).toInt(), 1);
}

} // namespace

// Word w at pixel w of a page: the map, the main view and the exported picture show each word in the
// same colour, green widened from 6 bits as the display holds it (31 -> 251).
TEST_F(PageMapTest, TheMapTheViewAndTheExportShowEveryWordAlike) {
    auto level = Level(pw::kind_tr4, 1);
    for (std::size_t w = 0; w < 65536; ++w) {
        level.pages16[2 * w] = static_cast<std::uint8_t>(w);
        level.pages16[2 * w + 1] = static_cast<std::uint8_t>(w >> 8);
    }
    OpenThroughMenu(WriteLevel(level));
    ASSERT_TRUE(Form1->Document().HasLevel());
    const pw::Ttrlevel& opened = Form1->Document().Level();
    const QImage map = PageMapPicture(opened, 0, pw::PageDepth::bits16);
    const QImage view = Form1->Control<TImage>("Image1")->Picture().convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint8_t> exported(3 * 65536);
    pw::ExportRows(opened, 0, 256, false, exported.data());
    const TRect tile = Form1->Document().SelectedTile();
    int differing = 0;
    for (unsigned w = 0; w < 65536; ++w) {
        const int x = static_cast<int>(w % 256);
        const int y = static_cast<int>(w / 256);
        const QRgb expected =
            qRgb(Widened((w >> 10) & 31, 5), Widened(((w >> 5) & 31) << 1, 6), Widened(w & 31, 5));
        const bool on_frame =
            (x == tile.Left || x == tile.Right - 1 || y == tile.Top || y == tile.Bottom - 1) &&
            x >= tile.Left && x < tile.Right && y >= tile.Top && y < tile.Bottom;
        const QRgb in_export = qRgb(exported[3 * w], exported[3 * w + 1], exported[3 * w + 2]);
        differing += in_export != expected;
        differing += w != 0 && map.pixel(x, y) != expected; // word 0 is transparent on the map
        differing += !on_frame && view.pixel(x, y) != expected;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(map.pixel(224, 3), qRgb(0, 251, 0)); // word 0x03E0
}

// Undo, redo and a new page by their keys while the map has the focus; the map's page box names the
// page shown through the add, its undo and its redo.
TEST_F(PageMapTest, TheMainWindowsKeysWorkFromTheMapAndItsPageBoxFollows) {
    OpenThroughMenu(WriteLevel(Level(pw::kind_tr4, 2)));
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(PageMap));
    PageMap->PageBox->setFocus();
    const auto shows = [](int page) {
        EXPECT_EQ(PageMap->PageBox->ItemIndex(), page);
        EXPECT_EQ(PageMap->PageBox->currentText(), QStringLiteral("Page#%1").arg(page + 1));
        EXPECT_EQ(PageMap->ShownPage(), page);
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Form1->Document().Level().num_pages, 3);
    shows(2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form1->Document().Level().num_pages, 2);
    shows(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Form1->Document().Level().num_pages, 3);
    shows(2);
    EXPECT_EQ(QApplication::activeWindow(), PageMap);
}

// Adding pages past the engine's limit asks once, with No as the default: a page by Ctrl+N, and a
// whole folder of pages by Import Pages from Folder, which No leaves out entirely.
TEST_F(PageMapTest, PagesPastTheEnginesLimitAreAskedForOnceWithNoAsDefault) {
    OpenThroughMenu(WriteLevel(Level(pw::kind_tr1, 9)));
    ASSERT_TRUE(Form1->Document().HasLevel());
    const QString folder = Folder() + "/pages";
    platform_.file_answers.push_back(folder);
    Form1->Control<TMenuItem>("ExportPages1")->Action()->trigger();
    EXPECT_EQ(Form1->statusBar()->currentMessage(),
              QStringLiteral("9 pictures written to %1").arg(QDir::toNativeSeparators(folder)));
    for (int n = 9; n < 20; ++n)
        ASSERT_TRUE(
            QFile::copy(folder + "/level_0.png", QStringLiteral("%1/level_%2.png").arg(folder).arg(n)));
    const auto questions = [&] {
        int count = 0;
        for (const auto& message : platform_.messages) {
            count += message.kind == ScriptedPlatform::MessageKind::Question;
            EXPECT_EQ(message.default_button, QMessageBox::No) << message.text.toStdString();
        }
        return count;
    };
    platform_.file_answers.push_back(folder);
    Form1->Control<TMenuItem>("ImportPages1")->Action()->trigger(); // answered No
    ASSERT_EQ(questions(), 1);
    EXPECT_TRUE(platform_.messages.back().text.contains("add pages 17 to 20"))
        << platform_.messages.back().text.toStdString();
    EXPECT_EQ(Form1->Document().Level().num_pages, 9);
    EXPECT_FALSE(Form1->Document().IsModified());
    platform_.file_answers.push_back(folder);
    platform_.answers.push_back(QMessageBox::Yes);
    Form1->Control<TMenuItem>("ImportPages1")->Action()->trigger();
    EXPECT_EQ(questions(), 2);
    EXPECT_EQ(Form1->Document().Level().num_pages, 20);
    Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger(); // answered No
    ASSERT_EQ(questions(), 3);
    EXPECT_TRUE(platform_.messages.back().text.contains("add page 21 anyway"));
    EXPECT_EQ(Form1->Document().Level().num_pages, 20);
}

// The hidden lists that carry the windows' text patterns are no part of what screen readers see.
TEST_F(PageMapTest, NoTextPatternReachesTheAccessibilityTree) {
    OpenThroughMenu(WriteLevel(Level(pw::kind_tr4, 2)));
    QStringList texts;
    for (QWidget* window :
         {static_cast<QWidget*>(Form1), static_cast<QWidget*>(PageMap), static_cast<QWidget*>(fanimated)})
        CollectAccessibleTexts(QAccessible::queryAccessibleInterface(window), texts);
    EXPECT_TRUE(texts.contains("Texture#0"));
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QRegularExpression("%[1-9]"))) << text.toStdString();
}

// The focus frame of a page view lies around the page, never on its pixels.
TEST_F(PageMapTest, AFocusedPageViewShowsItsPageUntouched) {
    OpenThroughMenu(WriteLevel(Level(pw::kind_tr4, 2)));
    Form1->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    auto* view = Form1->Control<TImage>("Image1");
    auto* box = Form1->Control<TGroupBox>("GroupBox1");
    Form1->Control<TComboBox>("ComboBox1")->setFocus();
    const QImage page_unfocused = view->grab().toImage();
    const QImage box_unfocused = box->grab().toImage();
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    EXPECT_EQ(view->grab().toImage(), page_unfocused);
    EXPECT_NE(box->grab().toImage(), box_unfocused);
}

// The status bar names what covers the pixel under the pointer, found among the page's own textures;
// moves within one page pixel do no work again.
TEST_F(PageMapTest, HoverReportsEachPagePixelOnce) {
    auto level = Level(pw::kind_tr4, 2);
    level.object_textures = {pw::MakeRectangleTexture(pw::kind_tr4, 0, 0, 0, 255, 255),
                             pw::MakeRectangleTexture(pw::kind_tr4, 1, 0, 0, 9, 9),
                             pw::MakeRectangleTexture(pw::kind_tr4, 0, 0, 0, 9, 9)};
    OpenThroughMenu(WriteLevel(level));
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    PageMap->SetZoomStep(2);
    QSignalSpy hovered(PageMap->View, &PageMapView::PixelHovered);
    for (const QPoint at : {QPoint(4, 4), QPoint(5, 5), QPoint(4, 5), QPoint(6, 4)}) {
        QMouseEvent move(QEvent::MouseMove, at, PageMap->View->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         {});
        QApplication::sendEvent(PageMap->View, &move);
    }
    ASSERT_EQ(hovered.count(), 2);
    EXPECT_EQ(hovered.at(1), QVariantList({3, 2}));
    EXPECT_EQ(PageMap->StatusText(), PageMap->PixelText(3, 2));
    EXPECT_TRUE(PageMap->StatusText().endsWith("Texture#0 (animated sets 1), Texture#2 (animated sets 2)"))
        << PageMap->StatusText().toStdString();
}

// Kinds 6 and 7: the depth box shows the 32-bit page, and the status bar gives its stored colours.
TEST_F(PageMapTest, TheDepthBoxShowsThe32BitPage) {
    OpenThroughMenu(WriteLevel(Level(pw::kind_tr4, 2)));
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    EXPECT_EQ(PageMap->DepthShown(), pw::PageDepth::bits16);
    EXPECT_TRUE(PageMap->PixelText(0, 0).startsWith("(0, 0)  0x")) << PageMap->PixelText(0, 0).toStdString();
    PageMap->DepthBox->SetItemIndex(1);
    PageMap->DepthBoxChange();
    EXPECT_EQ(PageMap->DepthShown(), pw::PageDepth::bits32);
    EXPECT_TRUE(PageMap->PixelText(0, 0).startsWith("(0, 0)  RGBA "))
        << PageMap->PixelText(0, 0).toStdString();
}
