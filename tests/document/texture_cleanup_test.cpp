// The clean-up of object textures as a document step: one step, and undo gives back the level
// exactly (the saved file byte for byte), on every kind; a damaged mesh makes no step.
#include <gtest/gtest.h>

#include "document/level_document.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace {

using namespace pw::fixtures;

QString Saved(LevelDocument& doc, TempDir& dir, const std::string& name, const std::string& suffix) {
    const QString path = QString::fromStdString(dir.File(name + suffix));
    EXPECT_EQ(doc.Save(path, nullptr), pw::Status::done);
    return path;
}

} // namespace

TEST(TextureCleanupDocumentTest, OneStepThatUndoesToTheSameFile) {
    for (int kind = 1; kind <= 7; ++kind) {
        SCOPED_TRACE(kind);
        TempDir dir;
        LevelDescription d = MakeLevel(kind);
        d.object_textures.push_back(d.object_textures[1]); // a copy, named by no face
        const std::string suffix = d.FileName().substr(d.FileName().rfind('.'));
        const std::string level_file = dir.File("level" + suffix);
        LevelDocument doc;

        // The fixture's meshes are patterned bytes, not meshes: nothing may change.
        WriteFile(level_file, BuildLevel(d));
        ASSERT_EQ(doc.Open(QString::fromStdString(level_file), nullptr), pw::Status::done);
        EXPECT_FALSE(doc.PlanTextureCleanup(true, true).refused.empty());
        EXPECT_FALSE(doc.CleanTextures(true, true));
        EXPECT_EQ(doc.History().count(), 0);

        d.mesh_pointers.clear();
        d.mesh_data.clear();
        WriteFile(level_file, BuildLevel(d));
        ASSERT_EQ(doc.Open(QString::fromStdString(level_file), nullptr), pw::Status::done);
        const pw::Bytes before = ReadFile(Saved(doc, dir, "before", suffix).toStdString());
        ASSERT_TRUE(doc.CleanTextures(true, false));
        EXPECT_EQ(doc.History().count(), 1);
        EXPECT_EQ(doc.UndoStep(), HistoryStep{StepKind::merge_duplicates});
        EXPECT_EQ(doc.Level().num_object_textures, 5);
        EXPECT_TRUE(doc.TextureUsage().duplicate_groups.empty());
        const pw::Bytes after = ReadFile(Saved(doc, dir, "after", suffix).toStdString());
        doc.Undo();
        EXPECT_EQ(doc.Level().num_object_textures, 6);
        EXPECT_TRUE(SameBytes(ReadFile(Saved(doc, dir, "undone", suffix).toStdString()), before));
        doc.Redo();
        EXPECT_TRUE(SameBytes(ReadFile(Saved(doc, dir, "redone", suffix).toStdString()), after));
        // The step is named for what it did.
        doc.Undo();
        ASSERT_TRUE(doc.CleanTextures(false, true));
        EXPECT_EQ(doc.UndoStep(), HistoryStep{StepKind::remove_unused});
        doc.Undo();
        ASSERT_TRUE(doc.CleanTextures(true, true));
        EXPECT_EQ(doc.UndoStep(), HistoryStep{StepKind::clean_up_textures});
    }
}
