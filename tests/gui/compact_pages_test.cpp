// Pages > Compact Pages: the question shows the outcome before anything changes, and the compaction is
// one step of the history.
#include "app_fixture.h"
#include "level/object_textures.h"

namespace {

class CompactPagesTest : public AppTest {
protected:
    void Compact(QMessageBox::StandardButton answer) {
        platform_.answers.push_back(answer);
        Form1->Control<TMenuItem>("CompactPages1")->Action()->trigger();
    }
};

TEST_F(CompactPagesTest, AsksWithTheOutcomeAndCompactsAsOneStep) {
    auto level = Level(3, 3);
    level.object_textures.clear();
    level.sprite_textures.clear();
    for (int page = 0; page < 3; ++page)
        level.object_textures.push_back(pw::MakeRectangleTexture(3, page, 0, 0, 63, 63));
    OpenThroughMenu(WriteLevel(level));

    Compact(QMessageBox::No);
    ASSERT_EQ(platform_.MessageTexts(), QStringList{"From 3 pages to 1; 2 areas move. Compact the pages?"});
    EXPECT_EQ(Form1->Document().Level().num_pages, 3);
    EXPECT_FALSE(Form1->Document().IsModified());

    Compact(QMessageBox::Yes);
    EXPECT_EQ(Form1->Document().Level().num_pages, 1);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 1);
    EXPECT_EQ(Form1->Control<TMenuItem>("Undo1")->Caption(), "&Undo Compact pages");
    EXPECT_FALSE(platform_.busy);

    // Nothing left to gain: a message, no question and no step.
    platform_.messages.clear();
    Compact(QMessageBox::Yes);
    EXPECT_EQ(platform_.MessageTexts(),
              QStringList{"Nothing to compact: the textures in use do not fit in fewer pages."});
    EXPECT_EQ(Form1->Document().History().count(), 1);

    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_EQ(Form1->Document().Level().num_pages, 3);
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 3);
}

} // namespace
