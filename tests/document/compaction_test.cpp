// Compacting the pages as a step of the document's history, on levels of every kind: one step, and
// undo gives back a level that saves byte for byte as it was opened.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "document/level_document.h"
#include "level/object_textures.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace {

using namespace pw::fixtures;

class DocumentCompaction : public ::testing::TestWithParam<int> {};

TEST_P(DocumentCompaction, IsOneStepAndUndoSavesTheLevelAsItWasOpened) {
    const int kind = GetParam();
    LevelDescription level = MakeLevel(kind);
    level.num_pages = 3;
    level.pages8 = kind <= 5 ? Pattern(3 * 65536, 1) : Bytes{};
    level.pages16 = kind >= 3 ? Pattern(3 * 131072, 2) : Bytes{};
    level.pages32 = kind >= 6 ? Pattern(3 * 262144, 3) : Bytes{};
    level.room_tiles = 0;
    level.object_tiles = 3;
    level.bump_tiles = 0;
    level.anim_words.clear();
    level.sprite_textures.clear();
    level.object_textures.clear();
    for (int page = 0; page < 3; ++page)
        level.object_textures.push_back(pw::MakeRectangleTexture(kind, page, 0, 0, 63, 63));
    TempDir dir;
    const QString path = QString::fromStdString(dir.File(level.FileName()));
    const Bytes original = BuildLevel(level);
    WriteFile(path.toStdString(), original);
    LevelDocument doc;
    ASSERT_EQ(doc.Open(path, nullptr), pw::Status::done);

    QSignalSpy removed(&doc, &LevelDocument::PageRemoved), textures(&doc, &LevelDocument::TexturesChanged);
    EXPECT_EQ(doc.PlanCompaction().pages_after, 1);
    ASSERT_TRUE(doc.CompactPages());
    EXPECT_EQ(doc.Level().num_pages, 1);
    EXPECT_EQ(doc.History().count(), 1);
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(textures.count(), 1);
    if (kind >= 6) {
        EXPECT_EQ(doc.Level().num_object_tiles, 1);
    }
    const QString compacted = QString::fromStdString(dir.File("compacted" + level.FileName()));
    ASSERT_EQ(doc.Save(compacted, nullptr), pw::Status::done);
    EXPECT_LT(ReadFile(compacted.toStdString()).size(), original.size());
    EXPECT_FALSE(doc.CompactPages()) << "nothing is left to gain";

    doc.Undo();
    EXPECT_EQ(doc.Level().num_pages, 3);
    const QString undone = QString::fromStdString(dir.File("undone" + level.FileName()));
    ASSERT_EQ(doc.Save(undone, nullptr), pw::Status::done);
    EXPECT_TRUE(SameBytes(ReadFile(undone.toStdString()), original));
    doc.Redo();
    EXPECT_EQ(doc.Level().num_pages, 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DocumentCompaction, ::testing::Range(1, 8));

} // namespace
