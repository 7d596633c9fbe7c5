// The document's edit history, without windows: every operation emits its signal, and undo and redo
// move the level between exactly the states the operations produced.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <QSignalSpy>

#include "document/level_document.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace {

using namespace pw::fixtures;

// What an operation can change: the pixels of every depth, the table, the sets and their words.
struct State {
    pw::Bytes pages8, pages16, pages32;
    int num_pages;
    std::vector<pw::tobjtexture> textures;
    pw::AnimatedSets sets;
    std::vector<std::uint16_t> anim_words;
    bool operator==(const State&) const = default;
};

State StateOf(const LevelDocument& doc) {
    const pw::Ttrlevel& l = doc.Level();
    return {l.pages8, l.pages16, l.pages32, l.num_pages, l.object_textures, doc.AnimatedSets(), l.anim_words};
}

pw::Bytes FileBytes(const QString& path) {
    return ReadFile(path.toStdString());
}

class EditHistoryTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        LevelDescription level = MakeLevel(GetParam());
        level.num_pages = 2;
        if (GetParam() <= 5)
            level.pages8 = Pattern(2 * 65536, 1);
        if (GetParam() >= 3)
            level.pages16 = Pattern(2 * 131072, 2);
        if (GetParam() >= 6)
            level.pages32 = Pattern(2 * 262144, 3);
        path_ = QString::fromStdString(dir_.File(level.FileName()));
        WriteFile(path_.toStdString(), BuildLevel(level));
        ASSERT_EQ(doc_.Open(path_, nullptr), pw::Status::done);
        QImage picture(256, 512, QImage::Format_RGB888);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < 256; ++x)
                picture.setPixel(x, y, qRgb(x, y & 255, (x * y) & 255));
        const QString source = QString::fromStdString(dir_.File("source.png"));
        ASSERT_TRUE(picture.save(source));
        ASSERT_EQ(doc_.OpenSource(source, nullptr), pw::Status::done);
    }

    std::string Suffix() const { return path_.mid(path_.lastIndexOf('.')).toStdString(); }

    TempDir dir_;
    QString path_;
    LevelDocument doc_;
};

TEST_P(EditHistoryTest, UndoAndRedoMoveBetweenTheStatesEveryOperationMade) {
    QSignalSpy page(&doc_, &LevelDocument::PageChanged), textures(&doc_, &LevelDocument::TexturesChanged),
        sets(&doc_, &LevelDocument::AnimatedSetsChanged), added(&doc_, &LevelDocument::PageAdded),
        removed(&doc_, &LevelDocument::PageRemoved);
    struct Step {
        std::function<void()> run;
        QSignalSpy* signal;
        QSignalSpy* undo_signal = nullptr; // when undo announces another change than the step
    };
    const std::vector<Step> steps = {
        {[&] { doc_.CopyTile(1, 1, 70, 10); }, &page},
        {[&] { doc_.CopyPage(0, 0); }, &page},
        {[&] { doc_.SetAttribute(1, 2); }, &textures},
        {[&] { doc_.MirrorTexture(0, true); }, &textures},
        {[&] { doc_.MirrorTexture(0, false); }, &textures},
        {[&] { doc_.PasteTexture(2, 0); }, &textures},
        {[&] { doc_.DefineGrid(1, 32); }, &textures},
        {[&] {
             doc_.DefineRectangle(0, {16, 32, 80, 64});
         },
         &textures},
        {[&] { doc_.CloneTexture(3); }, &textures},
        {[&] { doc_.AddPage(); }, &added, &removed},
        {[&] { doc_.CopyTile(2, 0, 0, 0); }, &page},
        {[&] { doc_.AddAnimatedSet(); }, &sets},
        {[&] { doc_.AddAnimatedFrame(0, 4); }, &sets},
        {[&] { doc_.AddAnimatedFrame(0, 5); }, &sets},
        {[&] { doc_.ReplaceAnimatedFrame(0, 1, 6); }, &sets},
        {[&] { doc_.DeleteAnimatedFrame(0, 0); }, &sets},
        {[&] { doc_.AddAnimatedSet(); }, &sets},
        {[&] { doc_.DeleteLastAnimatedSet(); }, &sets},
    };
    // Each move announces its change exactly once, and no other: undoing an added page announces its
    // removal.
    const std::vector<QSignalSpy*> spies{&page, &textures, &sets, &added, &removed};
    const auto announced_once = [&](QSignalSpy* expected, const std::function<void()>& move) {
        std::vector<qsizetype> before;
        for (QSignalSpy* spy : spies)
            before.push_back(spy->count());
        move();
        for (std::size_t s = 0; s < spies.size(); ++s)
            if (spies[s]->count() - before[s] != (spies[s] == expected ? 1 : 0))
                return false;
        return true;
    };
    std::vector<State> states{StateOf(doc_)};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_TRUE(announced_once(steps[i].signal, steps[i].run)) << "step " << i;
        states.push_back(StateOf(doc_));
        EXPECT_NE(states[i + 1], states[i]) << "step " << i << " changed nothing";
    }
    ASSERT_EQ(doc_.History().count(), static_cast<int>(steps.size()));
    EXPECT_TRUE(doc_.IsModified());

    for (std::size_t i = steps.size(); i-- > 0;) {
        QSignalSpy* undone = steps[i].undo_signal ? steps[i].undo_signal : steps[i].signal;
        EXPECT_TRUE(announced_once(undone, [&] { doc_.Undo(); })) << "undo of step " << i;
        EXPECT_EQ(StateOf(doc_), states[i]) << "undo of step " << i;
    }
    EXPECT_FALSE(doc_.IsModified());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_TRUE(announced_once(steps[i].signal, [&] { doc_.Redo(); })) << "redo of step " << i;
        EXPECT_EQ(StateOf(doc_), states[i + 1]) << "redo of step " << i;
    }
}

// The three promises of saving: back at the opened step the file is written as read; back at a saved
// step the save is written again; undo after a save restores the bytes before the edit.
TEST_P(EditHistoryTest, SavingKeepsWhatTheHistoryReliesOn) {
    const pw::Bytes opened = FileBytes(path_);
    const State start = StateOf(doc_);
    doc_.CopyTile(0, 1, 0, 0);
    doc_.AddAnimatedSet();
    doc_.Undo();
    doc_.Undo();
    const QString first = QString::fromStdString(dir_.File("first" + Suffix()));
    ASSERT_EQ(doc_.Save(first, nullptr), pw::Status::done);
    EXPECT_EQ(FileBytes(first), opened);

    doc_.CopyPage(1, 1);
    const State edited = StateOf(doc_);
    const QString second = QString::fromStdString(dir_.File("second" + Suffix()));
    ASSERT_EQ(doc_.Save(second, nullptr), pw::Status::done);
    EXPECT_EQ(doc_.LevelFileName(), second);
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(StateOf(doc_), edited);
    const pw::Bytes saved = FileBytes(second);

    doc_.MirrorTexture(0, true);
    doc_.AddPage();
    EXPECT_TRUE(doc_.IsModified());
    doc_.Undo();
    doc_.Undo();
    EXPECT_FALSE(doc_.IsModified());
    ASSERT_EQ(doc_.Save(second, nullptr), pw::Status::done);
    EXPECT_EQ(FileBytes(second), saved);

    doc_.Undo();
    EXPECT_EQ(StateOf(doc_), start);
    EXPECT_TRUE(doc_.IsModified());
}

TEST_P(EditHistoryTest, HistoryDropsItsOldestStepsAtTheLimit) {
    doc_.CopyTile(0, 0, 0, 0);
    const std::size_t tile_bytes = doc_.HistoryBytes();
    doc_.SetHistoryLimit(5 * tile_bytes);
    std::vector<State> states;
    for (int i = 0; i < 20; ++i) {
        states.push_back(StateOf(doc_));
        doc_.CopyTile(i % 2, 0, i * 13, i * 7);
    }
    EXPECT_LE(doc_.HistoryBytes(), 5 * tile_bytes);
    const int kept = doc_.History().count();
    EXPECT_GE(kept, 4);
    for (int i = 0; i < kept; ++i)
        doc_.Undo();
    EXPECT_FALSE(doc_.History().canUndo());
    EXPECT_EQ(StateOf(doc_), states[states.size() - static_cast<std::size_t>(kept)]);
    // The opened step is gone: the level stays modified.
    EXPECT_TRUE(doc_.IsModified());
}

// Trimming that drops the opened step but keeps the saved one as its oldest: back there the level is
// unmodified, and saving it again writes the saved bytes (with the opaque flags), not the record as read.
TEST_P(EditHistoryTest, TrimmingKeepsTheSavedStepAndForgetsTheOpenedOne) {
    doc_.CopyTile(0, 0, 0, 0);
    doc_.SetHistoryLimit(5 * doc_.HistoryBytes());
    doc_.CopyTile(1, 0, 13, 7);
    const QString first = QString::fromStdString(dir_.File("first" + Suffix()));
    ASSERT_EQ(doc_.Save(first, nullptr), pw::Status::done);
    const State saved = StateOf(doc_);
    for (int i = 0; i < 4; ++i)
        doc_.CopyTile(i % 2, 0, 20 + i * 11, 30 + i * 5);
    while (doc_.History().canUndo())
        doc_.Undo();
    ASSERT_EQ(StateOf(doc_), saved) << "the oldest kept step is not the saved one";
    EXPECT_FALSE(doc_.IsModified());
    const QString again = QString::fromStdString(dir_.File("again" + Suffix()));
    ASSERT_EQ(doc_.Save(again, nullptr), pw::Status::done);
    EXPECT_TRUE(SameBytes(FileBytes(again), FileBytes(first)));
}

TEST_P(EditHistoryTest, FailedOpenKeepsTheLevelAndItsHistory) {
    doc_.AddPage();
    const State edited = StateOf(doc_);
    QSignalSpy replaced(&doc_, &LevelDocument::LevelReplaced);
    const QString bad = QString::fromStdString(dir_.File("notes.tr2"));
    WriteFile(bad.toStdString(), Bytes{'h', 'i'});
    EXPECT_EQ(doc_.Open(bad, nullptr), pw::Status::not_a_level);
    EXPECT_EQ(StateOf(doc_), edited);
    EXPECT_EQ(doc_.LevelFileName(), path_);
    EXPECT_EQ(doc_.History().count(), 1);
    EXPECT_EQ(replaced.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EditHistoryTest, ::testing::Values(3, 6));

} // namespace
