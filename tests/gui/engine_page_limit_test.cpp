// Adding pages past what the game's engine loads: kinds 1 to 4 ask before page 17, and only then;
// kinds without a known limit never ask.
#include "app_fixture.h"

namespace {

class EnginePageLimitTest : public AppTest {};

TEST_F(EnginePageLimitTest, Page16IsAddedWithoutAQuestionAndPage17AsksFirst) {
    for (const int kind : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto level = Level(kind, 15);
        OpenThroughMenu(WriteLevel(level, std::to_string(kind) + level.FileName()));
        ASSERT_TRUE(Form1->Document().HasLevel());
        platform_.messages.clear();
        const auto add = [] { Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger(); };
        add();
        EXPECT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
        EXPECT_EQ(Form1->Document().Level().num_pages, 16);

        add(); // answered No
        EXPECT_EQ(Form1->Document().Level().num_pages, kind == 5 ? 17 : 16);
        EXPECT_EQ(platform_.messages.size(), kind == 5 ? 0u : 1u);
        if (kind == 5)
            continue;
        EXPECT_EQ(platform_.messages.back().kind, ScriptedPlatform::MessageKind::Question);
        platform_.answers.push_back(QMessageBox::Yes);
        add();
        EXPECT_EQ(Form1->Document().Level().num_pages, 17);
    }
}

} // namespace
