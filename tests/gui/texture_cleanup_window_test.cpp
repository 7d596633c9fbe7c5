// Texture usage in the windows: the clean-up items ask before they change anything and make one step,
// the page map names each texture's use and the room a clean-up frees, the preview names the
// selected texture's use.
#include "app_fixture.h"
#include "level/object_textures.h"
#include "texture_windows/page_map_window.h"

namespace {

// Page 0: texture 0 at (0, 0), 1 at (128, 128), 2 at (64, 0), 3 a copy of 2; the one animated set
// shows 0 and 2. No face, mesh or sprite.
pw::fixtures::LevelDescription UsageLevel() {
    auto level = pw::fixtures::MakeLevel(pw::kind_tr2);
    level.object_textures = {pw::MakeRectangleTexture(pw::kind_tr2, 0, 0, 0, 63, 63),
                             pw::MakeRectangleTexture(pw::kind_tr2, 0, 128, 128, 191, 191),
                             pw::MakeRectangleTexture(pw::kind_tr2, 0, 64, 0, 127, 63)};
    level.object_textures.push_back(level.object_textures[2]);
    for (auto& room : level.rooms) {
        room.rectangles.clear();
        room.triangles.clear();
        room.sprites.clear();
    }
    level.mesh_data.clear();
    level.mesh_pointers.clear();
    level.sprite_textures.clear();
    level.sprite_sequences.clear();
    level.anim_words = {1, 1, 0, 2};
    return level;
}

class TextureCleanupWindowTest : public AppTest {};

TEST_F(TextureCleanupWindowTest, ItemsAskFirstAndMakeOneStepEach) {
    OpenThroughMenu(WriteLevel(UsageLevel()));
    const LevelDocument& doc = Form1->Document();
    ASSERT_EQ(doc.Level().num_object_textures, 4);

    platform_.answers.push_back(QMessageBox::No);
    Form1->Control<TMenuItem>("MergeDuplicates1")->Action()->trigger();
    EXPECT_EQ(platform_.messages.back().text, "1 duplicates of 1 textures merged. Go on?");
    EXPECT_EQ(doc.Level().num_object_textures, 4);
    EXPECT_EQ(doc.History().count(), 0);

    platform_.answers.push_back(QMessageBox::Yes);
    Form1->Control<TMenuItem>("MergeDuplicates1")->Action()->trigger();
    EXPECT_EQ(doc.Level().num_object_textures, 3);
    EXPECT_EQ(Form1->Control<TMenuItem>("Undo1")->Caption(), "&Undo Merge duplicate textures");

    platform_.answers.push_back(QMessageBox::Yes);
    Form1->Control<TMenuItem>("RemoveUnused1")->Action()->trigger();
    EXPECT_EQ(platform_.messages.back().text,
              "1 unused textures removed; textures from #2 on are renumbered. Go on?");
    EXPECT_EQ(doc.Level().num_object_textures, 2);
    const std::size_t asked = platform_.messages.size();
    Form1->Control<TMenuItem>("RemoveUnused1")->Action()->trigger();
    ASSERT_EQ(platform_.messages.size(), asked + 1);
    EXPECT_EQ(platform_.messages.back().text, "Every texture is used: nothing to remove.");
    EXPECT_EQ(doc.History().count(), 2);

    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_EQ(doc.Level().num_object_textures, 4);
}

TEST_F(TextureCleanupWindowTest, MapAndPreviewNameEachTexturesUse) {
    OpenThroughMenu(WriteLevel(UsageLevel()));
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    ASSERT_TRUE(PageMap->isVisible());
    EXPECT_TRUE(PageMap->PixelText(130, 130).endsWith("Texture#1 (unused)"))
        << PageMap->PixelText(130, 130).toStdString();
    EXPECT_TRUE(PageMap->PixelText(70, 10).endsWith("Texture#2 (animated sets 1), Texture#3 (unused)"))
        << PageMap->PixelText(70, 10).toStdString();
    // Three 64 x 64 squares are covered; the one only texture 1 covers is free after the clean-up.
    EXPECT_EQ(PageMap->FreeShareLabel->Caption(), "Free: 81.3% of the page   Free after clean-up: 87.5%");
    EXPECT_EQ(PageMap->FiguresLabel->Caption(),
              "Pages: 2   Object textures: 4   Sprite textures: 0/512   Animated sets: 1");

    Form1->SelectTexture(2);
    EXPECT_EQ(Form1->Control<TLabel>("Label8")->Caption(), "animated sets 1");
    // Removing the unused textures frees the square on the map at once.
    platform_.answers.push_back(QMessageBox::Yes);
    Form1->Control<TMenuItem>("RemoveUnused1")->Action()->trigger();
    EXPECT_EQ(PageMap->FreeShareLabel->Caption(), "Free: 87.5% of the page   Free after clean-up: 87.5%");
}

} // namespace
