// The page map window over the real main window: picking a texture with the mouse, following the
// texture list, and redrawing after an undo.
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>

#include "app_fixture.h"
#include "level/object_textures.h"
#include "textures/page_map_window.h"

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
    const QPoint centre = PageMap->PaintBox1->TextureRect(1).center();
    Click(PageMap->PaintBox1, centre);
    EXPECT_EQ(Form1->Control<TListBox>("ListBox1")->ItemIndex(), 1);
    EXPECT_EQ(Form1->Document().SelectedTexture(), 1);
    Click(PageMap->PaintBox1, centre);
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
    const QImage before = PageMap->PaintBox1->Picture();
    Form1->Document().CopyTile(1, 0, 0, 0);
    EXPECT_NE(PageMap->PaintBox1->Picture(), before);
    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_EQ(PageMap->PaintBox1->Picture(), before);

    // An added page gains its line in the map's page list, and its undo takes the line away.
    Form1->Document().AddPage();
    EXPECT_EQ(PageMap->ComboBox1->Items()->Count(), 3);
    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_EQ(PageMap->ComboBox1->Items()->Count(), 2);
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
        PageMap->PaintBox1Click(50, 50);
    std::vector<int> picks;
    for (const auto& arguments : chosen)
        picks.push_back(arguments.at(0).toInt());
    EXPECT_EQ(picks, (std::vector<int>{2, 1, 0, 2, 1, 0, 2}));
    PageMap->PaintBox1Click(20, 20); // elsewhere: the top one there first
    EXPECT_EQ(chosen.back().at(0).toInt(), 1);
}

} // namespace
