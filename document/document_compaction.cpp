// The document operation that compacts the pages.
#include "document/compaction_edit.h"
#include "document/level_document.h"

pw::CompactionPlan LevelDocument::PlanCompaction() const {
    return HasLevel() ? pw::PlanCompaction(level_) : pw::CompactionPlan{};
}

bool LevelDocument::CompactPages() {
    const pw::CompactionPlan plan = PlanCompaction();
    if (!plan.ChangesLevel())
        return false;
    auto edit = std::make_shared<CompactPagesEdit>(level_);
    if (!pw::ApplyCompaction(level_, plan))
        return false;
    Record(tr("Compact pages"), std::move(edit));
    return true;
}
