// How the windows and the command-line tool save an edited level: the opaque flags set and the
// animated sets stored, on the bytes written only.
#pragma once

#include <cstdint>
#include <string>

#include "level/animated_sets.h"
#include "level/save_plan.h"
#include "level/trlevel.h"

namespace pw {

// The plan of an edited save: every 16-bit page word that is not 0 written with its opaque flag (the
// 8-bit and 32-bit pages as they stand), and anim_words written as `sets` describe them.
SavePlan EditedSavePlan(const Ttrlevel& level, const AnimatedSets& sets);

// SaveLevel with EditedSavePlan (its result). The record is left as it was, so unchanged blocks
// still pass through and an edit history over the record stays true.
Result SaveLevelAsEdited(Ttrlevel& level, const AnimatedSets& sets, const std::string& file_name);

} // namespace pw
