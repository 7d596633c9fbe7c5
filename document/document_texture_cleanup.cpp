// Texture usage and the clean-up of object textures, as document operations.
#include "document/level_document.h"

const pw::TextureUsage& LevelDocument::TextureUsage() const {
    if (!usage_)
        usage_ = pw::ComputeTextureUsage(level_, sets_);
    return *usage_;
}

pw::TextureCleanupPlan LevelDocument::PlanTextureCleanup(bool merge, bool remove) const {
    return pw::PlanTextureCleanup(level_, TextureUsage(), merge, remove);
}

// The step holds the whole table, the sets and every face's texture word as they were, so that undo
// gives back the level exactly.
bool LevelDocument::CleanTextures(bool merge, bool remove) {
    if (!HasLevel())
        return false;
    const pw::TextureCleanupPlan plan = PlanTextureCleanup(merge, remove);
    if (!plan.Changes())
        return false;
    pw::MeshFaces meshes = pw::FindMeshFaces(level_);
    std::vector<std::shared_ptr<DocumentEdit>> parts{
        std::make_shared<FaceWordsEdit>(level_, meshes), std::make_shared<AnimatedSetsEdit>(level_, sets_),
        std::make_shared<TexturesEdit>(level_, 0, level_.num_object_textures)};
    pw::ApplyTextureCleanup(level_, sets_, meshes, plan);
    const StepKind step = merge && remove ? StepKind::clean_up_textures
                          : merge         ? StepKind::merge_duplicates
                                          : StepKind::remove_unused;
    Record(HistoryStep{step}, std::make_shared<EditGroup>(std::move(parts)));
    return true;
}
