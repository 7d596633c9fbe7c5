// The animated-texture window: its lists, its commands, what Save stores and the preview.
#include <QTest>

#include "app_fixture.h"
#include "texture_windows/animated_window.h"

namespace {

using pw::fixtures::Bytes;

// A four-vertex texture on page `tile` & 0x7FFF from (x0, y0) to (x1, y1), vertices clockwise.
pw::tobjtexture Rectangle(std::uint16_t tile, std::uint8_t x0, std::uint8_t y0, std::uint8_t x1,
                          std::uint8_t y1) {
    pw::tobjtexture t;
    t.tile = tile;
    t.vertices = {{{1, x0, 1, y0}, {255, x1, 1, y0}, {255, x1, 255, y1}, {1, x0, 255, y1}}};
    return t;
}

void PutWord(Bytes& pages16, int page, int x, int y, std::uint16_t word) {
    const std::size_t at =
        static_cast<std::size_t>(page) * 131072 + static_cast<std::size_t>(y * 256 + x) * 2;
    pages16[at] = static_cast<std::uint8_t>(word);
    pages16[at + 1] = static_cast<std::uint8_t>(word >> 8);
}

class AnimatedWindowTest : public AppTest {
protected:
    // A kind 3 level with 16 textures; textures 10, 11 and 12 are 64 x 32, 32 x 16 and 16 x 8 on page 0.
    QString OpenLevel(std::vector<std::uint16_t> anim_words) {
        auto desc = Level(3, 2);
        desc.object_textures.assign(16, Rectangle(0, 0, 0, 15, 15));
        desc.object_textures[10] = Rectangle(0, 0, 0, 63, 31);
        desc.object_textures[11] = Rectangle(0, 64, 0, 95, 15);
        desc.object_textures[12] = Rectangle(0, 128, 0, 143, 7);
        desc.anim_words = std::move(anim_words);
        desc_ = desc;
        const QString path = WriteLevel(desc);
        OpenThroughMenu(path);
        fanimated->Timer1->SetEnabled(false); // the tests step the preview themselves
        return path;
    }
    std::vector<std::uint16_t> SaveAndReread(const QString& path) {
        Form1->Control<TMenuItem>("Save1")->Action()->trigger();
        EXPECT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
        pw::Ttrlevel saved;
        EXPECT_EQ(saved.LoadLevel(path.toStdString()), pw::Status::done);
        return saved.anim_words;
    }
    static QStringList Sets() { return fanimated->ListBox1->Items()->ToStringList(); }
    static QStringList Frames() { return fanimated->ListBox2->Items()->ToStringList(); }
    static void Click(TButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void SelectFrame(int line) { fanimated->ListBox2->setCurrentRow(line); }

    pw::fixtures::LevelDescription desc_;
};

const std::vector<std::uint16_t> kOneSet = {1, 2, 10, 11, 12};

} // namespace

TEST_F(AnimatedWindowTest, ShowsTheSetsAndStoresThemUnchanged) {
    const QString path = OpenLevel(kOneSet);
    EXPECT_EQ(Sets(), QStringList({"Animated Texture #1"}));
    EXPECT_EQ(fanimated->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(Frames(), QStringList({"Texture ID:10", "Texture ID:11", "Texture ID:12"}));
    EXPECT_EQ(fanimated->ListBox2->ItemIndex(), -1);
    EXPECT_EQ(fanimated->SpinEdit1->maximum(), 15);
    EXPECT_EQ(SaveAndReread(path), kOneSet);
}

TEST_F(AnimatedWindowTest, AddedSetAndFrameAreSaved) {
    const QString path = OpenLevel(kOneSet);
    Click(fanimated->Button1);
    EXPECT_EQ(Sets(), QStringList({"Animated Texture #1", "Animated Texture #2"}));
    EXPECT_EQ(fanimated->ListBox1->ItemIndex(), 1);
    EXPECT_TRUE(Frames().isEmpty());

    fanimated->SpinEdit1->SetValue(7);
    Click(fanimated->Button3);
    EXPECT_EQ(Frames(), QStringList({"Texture ID:7"}));
    EXPECT_EQ(fanimated->ListBox2->ItemIndex(), 0);
    EXPECT_EQ(SaveAndReread(path), (std::vector<std::uint16_t>{2, 2, 10, 11, 12, 0, 7}));
}

TEST_F(AnimatedWindowTest, EmptySetsAreNotSavedAndWordZeroIsCreated) {
    QString path = OpenLevel(kOneSet);
    Click(fanimated->Button1);
    EXPECT_EQ(Form1->Document().Level().anim_words[0], 2);
    EXPECT_EQ(SaveAndReread(path), kOneSet);
    // The working copy keeps the empty set, which a later undo takes off.
    EXPECT_EQ(Sets(), QStringList({"Animated Texture #1", "Animated Texture #2"}));

    path = OpenLevel({});
    EXPECT_TRUE(Sets().isEmpty());
    Click(fanimated->Button1);
    EXPECT_EQ(Form1->Document().Level().anim_words, std::vector<std::uint16_t>({1}));
    fanimated->SpinEdit1->SetValue(3);
    Click(fanimated->Button3);
    EXPECT_EQ(SaveAndReread(path), (std::vector<std::uint16_t>{1, 0, 3}));
}

TEST_F(AnimatedWindowTest, DeleteSetRemovesTheLastWhicheverIsSelected) {
    const QString path = OpenLevel({3, 0, 1, 0, 2, 1, 3, 4});
    fanimated->ListBox1->setCurrentRow(1);
    EXPECT_EQ(Frames(), QStringList({"Texture ID:2"}));

    Click(fanimated->Button2);

    EXPECT_EQ(Sets(), QStringList({"Animated Texture #1", "Animated Texture #2"}));
    EXPECT_EQ(fanimated->ListBox1->ItemIndex(), 1);
    EXPECT_EQ(Frames(), QStringList({"Texture ID:2"}));
    EXPECT_EQ(SaveAndReread(path), (std::vector<std::uint16_t>{2, 0, 1, 0, 2}));
}

TEST_F(AnimatedWindowTest, DeleteFrameTakesOnlyTheSelectedFrame) {
    OpenLevel(kOneSet);
    SelectFrame(1);
    EXPECT_TRUE(fanimated->Button4->isEnabled());
    Click(fanimated->Button4);
    EXPECT_EQ(Frames(), QStringList({"Texture ID:10", "Texture ID:12"}));
    EXPECT_EQ(fanimated->ListBox2->ItemIndex(), 1);

    // Without a selected frame, DELETE (and REPLACE) are offered for nothing.
    OpenLevel(kOneSet);
    EXPECT_FALSE(fanimated->Button4->isEnabled());
    EXPECT_FALSE(fanimated->Button5->isEnabled());
    fanimated->Button4Click();
    EXPECT_EQ(Frames(), QStringList({"Texture ID:10", "Texture ID:11", "Texture ID:12"}));
    SelectFrame(0);
    EXPECT_TRUE(fanimated->Button4->isEnabled());
    fanimated->ListBox1Click(); // choosing the set again clears the frame
    EXPECT_FALSE(fanimated->Button4->isEnabled());
}

TEST_F(AnimatedWindowTest, FrameSelectionFillsTheFieldAndReplaceUsesIt) {
    const QString path = OpenLevel(kOneSet);
    SelectFrame(2);
    EXPECT_EQ(fanimated->SpinEdit1->Value(), 12);
    fanimated->SpinEdit1->SetValue(14);
    Click(fanimated->Button5);
    EXPECT_EQ(Frames(), QStringList({"Texture ID:10", "Texture ID:11", "Texture ID:14"}));
    EXPECT_EQ(fanimated->ListBox2->ItemIndex(), 2);
    // The field names textures of the table only.
    fanimated->SpinEdit1->SetValue(300);
    EXPECT_EQ(fanimated->SpinEdit1->Value(), 15);
    EXPECT_EQ(SaveAndReread(path), (std::vector<std::uint16_t>{1, 2, 10, 11, 14}));
}

TEST_F(AnimatedWindowTest, FrameFieldFollowsTheTableAsTexturesAreDefined) {
    OpenLevel(kOneSet);
    Form1->Document().DefineGrid(1, 64); // sixteen more
    EXPECT_EQ(fanimated->SpinEdit1->maximum(), 31);
    Form1->Document().CloneTexture(31);
    EXPECT_EQ(fanimated->SpinEdit1->maximum(), 32);
}

TEST_F(AnimatedWindowTest, CommandsWithoutTheirSelectionDoNothing) {
    const QString path = OpenLevel({});
    Click(fanimated->Button2); // no sets
    Click(fanimated->Button3); // no set
    Click(fanimated->Button4);
    Click(fanimated->Button5);
    EXPECT_TRUE(Sets().isEmpty());

    OpenLevel(kOneSet);
    Click(fanimated->Button5); // no frame line selected
    EXPECT_EQ(Frames(), QStringList({"Texture ID:10", "Texture ID:11", "Texture ID:12"}));
    Click(fanimated->Button1);
    Click(fanimated->Button4); // the new set has no frames
    EXPECT_EQ(Form1->Document().AnimatedSets(), (pw::AnimatedSets{{10, 11, 12}, {}}));
}

TEST_F(AnimatedWindowTest, PreviewCyclesAndRestartsWithAnotherSet) {
    OpenLevel({2, 2, 10, 11, 12, 1, 12, 11});
    fanimated->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fanimated));

    QList<QSize> shown;
    for (int i = 0; i < 4; ++i) {
        fanimated->Timer1Timer();
        shown.append(fanimated->AnimPreview.size());
    }
    EXPECT_EQ(shown, QList<QSize>({{64, 32}, {32, 16}, {16, 8}, {64, 32}}));
    EXPECT_EQ(fanimated->Image1->Picture().size(), QSize(64, 32));

    fanimated->ListBox1->setCurrentRow(1);
    fanimated->Timer1Timer();
    EXPECT_EQ(fanimated->AnimPreview.size(), QSize(16, 8));
    fanimated->Timer1Timer();
    EXPECT_EQ(fanimated->AnimPreview.size(), QSize(32, 16));

    // Another window active: the preview stays on its last frame.
    Form1->Show();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    fanimated->Timer1Timer();
    EXPECT_EQ(fanimated->AnimPreview.size(), QSize(32, 16));
}

TEST_F(AnimatedWindowTest, PreviewUsesTheLowFifteenBitsOfTile) {
    auto desc = Level(3, 2);
    desc.pages16.assign(2 * 131072, 0);
    PutWord(desc.pages16, 1, 4, 2, 0x4565); // page 2: red 17, green 11, blue 5
    desc.object_textures = {Rectangle(0x8001, 4, 2, 11, 9)};
    desc.anim_words = {1, 0, 0};
    OpenThroughMenu(WriteLevel(desc));
    fanimated->Timer1->SetEnabled(false);
    fanimated->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fanimated));

    fanimated->Timer1Timer();
    EXPECT_EQ(fanimated->AnimPreview.size(), QSize(8, 8));
    EXPECT_EQ(fanimated->AnimPreview.pixel(0, 0), qRgb(140, 89, 41));
    EXPECT_EQ(fanimated->AnimPreview.pixel(1, 0), qRgb(0, 0, 0));
}

TEST_F(AnimatedWindowTest, OriginalSizeClearingAndDone) {
    OpenLevel(kOneSet);
    fanimated->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fanimated));
    fanimated->Timer1Timer(); // texture 10, 64 x 32
    EXPECT_EQ(fanimated->Image1->size(), QSize(151, 140));
    fanimated->CheckBox1->SetChecked(true);
    EXPECT_EQ(fanimated->Image1->size(), QSize(64, 32));
    fanimated->CheckBox1->SetChecked(false);
    EXPECT_EQ(fanimated->Image1->size(), QSize(151, 140));

    Click(fanimated->Button1); // a set without frames: nothing to show
    fanimated->Timer1Timer();
    EXPECT_FALSE(fanimated->Image1->HasPicture());
    Click(fanimated->Button6);
    EXPECT_FALSE(fanimated->isVisible());
}
