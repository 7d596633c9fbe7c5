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

TEST_F(CompactPagesTest, OffersToRemoveUnusedTexturesFirstWhenThatFreesMorePages) {
    // Texture 0 (page 0) is on a room face; 1 (all of page 1) and 2 (a corner of page 2) are unused.
    auto level = Level(3, 3);
    level.object_textures = {pw::MakeRectangleTexture(3, 0, 0, 0, 63, 63),
                             pw::MakeRectangleTexture(3, 1, 0, 0, 255, 255),
                             pw::MakeRectangleTexture(3, 2, 0, 0, 63, 63)};
    level.sprite_textures.clear();
    level.anim_words.clear();
    level.mesh_data.clear();
    level.mesh_pointers.clear();
    for (auto& room : level.rooms) {
        room.rectangles = {0, 0, 1, 0, 2, 0, 3, 0, 0, 0}; // vertices 0 to 3, texture 0
        room.triangles.clear();
    }
    OpenThroughMenu(WriteLevel(level));

    Compact(QMessageBox::Cancel);
    ASSERT_EQ(
        platform_.MessageTexts(),
        QStringList{"From 3 pages to 2; 1 areas move. Removing the 2 unused textures first would leave 1 "
                    "pages: remove them first?"});
    EXPECT_EQ(Form1->Document().History().count(), 0);

    Compact(QMessageBox::Yes);
    EXPECT_EQ(Form1->Document().Level().num_pages, 1);
    EXPECT_EQ(Form1->Document().Level().num_object_textures, 1);
    EXPECT_EQ(Form1->Document().History().count(), 2); // the removal, then the compaction
}

} // namespace
