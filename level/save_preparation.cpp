#include "level/save_preparation.h"

namespace pw {

SavePlan EditedSavePlan(const Ttrlevel& level, const AnimatedSets& sets) {
    SavePlan plan;
    plan.set_opaque_flags = true;
    plan.anim_words = AnimatedWordsToStore(level, sets);
    return plan;
}

Result SaveLevelAsEdited(Ttrlevel& level, const AnimatedSets& sets, const std::string& file_name) {
    if (!level.IsLoaded())
        return NothingLoaded(file_name);
    return level.SaveLevel(file_name, EditedSavePlan(level, sets));
}

} // namespace pw
