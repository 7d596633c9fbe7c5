// The document operations that compact the pages.
#include "document/compaction_edit.h"
#include "document/level_document.h"

pw::CompactionPlan LevelDocument::PlanCompaction() const {
    return HasLevel() ? pw::PlanCompaction(level_) : pw::CompactionPlan{};
}

// Compaction looks only at the tables, so a copy of them without the pages stands for the level; a
// removed record is sent to a page that does not exist, which keeps every other record's number.
pw::CompactionPlan LevelDocument::PlanCompactionWithoutUnused(std::size_t& unused) const {
    unused = 0;
    if (!HasLevel())
        return {};
    const pw::TextureCleanupPlan cleanup = PlanTextureCleanup(false, true);
    if (!cleanup.Changes())
        return PlanCompaction();
    pw::Ttrlevel tables;
    tables.kind = level_.kind;
    tables.num_pages = level_.num_pages;
    tables.num_room_tiles = level_.num_room_tiles;
    tables.num_object_tiles = level_.num_object_tiles;
    tables.num_bump_tiles = level_.num_bump_tiles;
    tables.object_textures = level_.object_textures;
    tables.num_object_textures = level_.num_object_textures;
    tables.sprite_textures = level_.sprite_textures;
    tables.num_sprite_textures = level_.num_sprite_textures;
    tables.anim_words = level_.anim_words;
    for (const std::uint32_t index : cleanup.removed)
        if (index < tables.object_textures.size())
            tables.object_textures[index].tile = 0x7FFF;
    unused = cleanup.removed.size();
    return pw::PlanCompaction(tables);
}

bool LevelDocument::CompactPages() {
    const pw::CompactionPlan plan = PlanCompaction();
    if (!plan.ChangesLevel())
        return false;
    auto edit = std::make_shared<CompactPagesEdit>(level_);
    if (!pw::ApplyCompaction(level_, plan))
        return false;
    Record(HistoryStep{StepKind::compact_pages}, std::move(edit));
    return true;
}
