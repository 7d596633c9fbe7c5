// The page map's picture, pixel read-out, zoom and figures, on levels laid out by the fixture builder.
#include <QApplication>
#include <QPainter>
#include <QWheelEvent>

#include "app_fixture.h"
#include "level/object_textures.h"
#include "texture_windows/page_map_picture.h"
#include "texture_windows/page_map_window.h"

namespace {

class PageMapViewTest : public AppTest {
protected:
    static void PutWord(pw::fixtures::Bytes& pages16, std::size_t pixel, unsigned word) {
        pages16[2 * pixel] = static_cast<std::uint8_t>(word);
        pages16[2 * pixel + 1] = static_cast<std::uint8_t>(word >> 8);
    }
    void ShowMap() {
        Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
        ASSERT_TRUE(PageMap->isVisible());
    }
};

// Each depth as the map shows it: palette entries times 4 with index 0 clear, 5-bit components widened
// by repeating their top bits with word 0 clear, 32-bit pixels as stored; the status bar names the value.
TEST_F(PageMapViewTest, EachDepthShowsAndReadsOutItsStoredValue) {
    auto paletted = Level(pw::kind_tr1, 1);
    paletted.pages8[0] = 5;
    paletted.pages8[1] = 0;
    paletted.palette[15] = 10;
    paletted.palette[16] = 20;
    paletted.palette[17] = 63;
    OpenThroughMenu(WriteLevel(paletted));
    QImage picture = PageMapPicture(Form1->Document().Level(), 0, pw::PageDepth::bits8);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(40, 80, 252));
    EXPECT_EQ(qAlpha(picture.pixel(1, 0)), 0);
    EXPECT_TRUE(PageMap->PixelText(0, 0).startsWith("(0, 0)  [5] 40,80,252"))
        << PageMap->PixelText(0, 0).toStdString();

    auto words = Level(pw::kind_trg, 1);
    PutWord(words.pages16, 0, 0x8000 | 16 << 10 | 1 << 5 | 31); // components 16, 1, 31
    PutWord(words.pages16, 1, 0);
    PutWord(words.pages16, 2 * 256 + 3, 0x8123);
    OpenThroughMenu(WriteLevel(words));
    picture = PageMapPicture(Form1->Document().Level(), 0, pw::PageDepth::bits16);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(132, 8, 255));
    EXPECT_EQ(qAlpha(picture.pixel(1, 0)), 0);
    EXPECT_TRUE(PageMap->PixelText(0, 0).startsWith("(0, 0)  0xC03F"))
        << PageMap->PixelText(0, 0).toStdString();
    EXPECT_TRUE(PageMap->PixelText(3, 2).startsWith("(3, 2)  0x8123"))
        << PageMap->PixelText(3, 2).toStdString();

    auto deep = Level(pw::kind_tr4, 1);
    const std::uint8_t bgra[] = {10, 20, 30, 255};
    std::copy_n(bgra, 4, deep.pages32.begin());
    OpenThroughMenu(WriteLevel(deep));
    picture = PageMapPicture(Form1->Document().Level(), 0, pw::PageDepth::bits32);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(30, 20, 10));
    PageMap->DepthBox->SetItemIndex(1);
    EXPECT_TRUE(PageMap->PixelText(0, 0).startsWith("(0, 0)  RGBA 30,20,10,255"))
        << PageMap->PixelText(0, 0).toStdString();
    EXPECT_EQ(PageMap->PixelText(256, 0), "(256, 0)  ");
    // Outside the page, or in a depth the level lacks, there is no value to read.
    const pw::Ttrlevel& shown = Form1->Document().Level();
    for (const QPoint at : {QPoint(-1, 0), QPoint(0, -1), QPoint(256, 0), QPoint(0, 256)})
        EXPECT_EQ(PageMapPixelValue(shown, 0, pw::PageDepth::bits32, at.x(), at.y()), "")
            << at.x() << "," << at.y();
    EXPECT_EQ(PageMapPixelValue(shown, 0, pw::PageDepth::bits8, 0, 0), "");
}

// Zoom steps stay within 100 % and 800 %, the list follows, and a view point maps to the page pixel
// under it; Fit takes the largest step at which the whole page fits the viewport.
TEST_F(PageMapViewTest, ZoomStepsAreClampedAndMapViewPointsToPagePixels) {
    OpenThroughMenu(WriteLevel(Level(pw::kind_tr2, 1)));
    ShowMap();
    // Without settings, every overlay is on.
    const PageMapOverlays first = PageMap->View->Overlays();
    EXPECT_TRUE(first.outlines && first.selected && first.sprites && first.animated && first.free_area);
    PageMap->SetZoomStep(3);
    PageMapView* view = PageMap->View;
    EXPECT_EQ(view->Zoom(), 3);
    EXPECT_EQ(view->size(), QSize(768, 768));
    EXPECT_EQ(PageMap->ZoomBox->ItemIndex(), 2);
    EXPECT_EQ(view->PagePixelAt({0, 0}), QPoint(0, 0));
    EXPECT_EQ(view->PagePixelAt({8, 5}), QPoint(2, 1));
    EXPECT_EQ(view->PagePixelAt({767, 767}), QPoint(255, 255));
    EXPECT_EQ(view->PagePixelAt({768, 0}), QPoint(-1, -1));
    EXPECT_EQ(view->PagePixelAt({0, -1}), QPoint(-1, -1));
    EXPECT_EQ(view->PixelRect(2, 3), QRect(6, 9, 3, 3));
    for (int i = 0; i < 9; ++i)
        PageMap->ZoomIn();
    EXPECT_EQ(view->Zoom(), 8);
    EXPECT_EQ(PageMap->ZoomBox->ItemIndex(), 7);
    for (int i = 0; i < 9; ++i)
        PageMap->ZoomOut();
    EXPECT_EQ(view->Zoom(), 1);
    // The wheel zooms only with Ctrl held; without it the scroll area scrolls.
    const auto wheel = [view](Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(30, 30), view->mapToGlobal(QPointF(30, 30)), QPoint(), QPoint(0, 240),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
    };
    wheel(Qt::NoModifier);
    EXPECT_EQ(view->Zoom(), 1);
    wheel(Qt::ControlModifier);
    EXPECT_EQ(view->Zoom(), 3);

    PageMap->resize(1000, 900);
    PageMap->ZoomToFit();
    const QSize room = PageMap->Scroller->viewport()->size();
    EXPECT_TRUE(PageMap->Fits());
    EXPECT_EQ(PageMap->ZoomBox->ItemIndex(), 8);
    EXPECT_EQ(view->Zoom(), std::clamp(std::min(room.width(), room.height()) / 256, 1, 8));
}

// The figures line counts the level's records; the warning appears only past the engine's limits, and
// the free share is that of the page shown.
TEST_F(PageMapViewTest, FiguresWarnOnlyPastTheEnginesLimits) {
    auto level = Level(pw::kind_trg, 16);
    level.object_textures = {pw::MakeRectangleTexture(pw::kind_trg, 0, 0, 0, 127, 255)};
    level.sprite_textures.clear();
    OpenThroughMenu(WriteLevel(level));
    ShowMap();
    EXPECT_TRUE(
        PageMap->FiguresLabel->Caption().startsWith("Pages: 16   Object textures: 1   Sprite textures: 0"))
        << PageMap->FiguresLabel->Caption().toStdString();
    EXPECT_TRUE(PageMap->WarningsLabel->isHidden());
    EXPECT_TRUE(
        PageMap->FreeShareLabel->Caption().startsWith("Free: 50.0% of the page   Free after clean-up: "));

    // The lines come from the window's translated texts, each from its own line.
    TStrings* texts = PageMap->Texts.List()->Items();
    texts->SetStrings(0, "P%1 O%2 S%3 A%4");
    texts->SetStrings(1, "E%1");
    texts->SetStrings(3, "F%1");
    texts->SetStrings(9, "G%1");
    PageMap->DepthBoxChange(); // redrawn
    EXPECT_TRUE(PageMap->FreeShareLabel->Caption().startsWith("F50.0   G"));
    Form1->Document().AddPage();
    EXPECT_TRUE(PageMap->FiguresLabel->Caption().startsWith("P17 O1 S0/512 A"))
        << PageMap->FiguresLabel->Caption().toStdString();
    EXPECT_EQ(PageMap->WarningsLabel->Caption(), "E16");
    EXPECT_FALSE(PageMap->WarningsLabel->isHidden());
}

// The free-area overlay tints exactly the pixels no texture covers.
TEST_F(PageMapViewTest, TheFreeAreaOverlayTintsOnlyFreePixels) {
    auto level = Level(pw::kind_trg, 1);
    level.object_textures = {pw::MakeRectangleTexture(pw::kind_trg, 0, 0, 0, 127, 255)};
    level.sprite_textures.clear();
    OpenThroughMenu(WriteLevel(level));
    ShowMap();
    PageMapView* view = PageMap->View;
    view->SetZoom(1);
    const auto painted = [view](bool free_area) {
        PageMapOverlays overlays;
        overlays.outlines = overlays.selected = overlays.sprites = overlays.animated = false;
        overlays.free_area = free_area;
        view->SetOverlays(overlays);
        QImage image(256, 256, QImage::Format_ARGB32);
        QPainter painter(&image);
        view->Paint(painter, QRect(0, 0, 256, 256));
        return image;
    };
    const QImage plain = painted(false), tinted = painted(true);
    for (int y = 0; y < 256; y += 15)
        for (int x = 0; x < 256; x += 15)
            ASSERT_EQ(tinted.pixel(x, y) == plain.pixel(x, y), x < 128) << x << "," << y;
}

} // namespace
