// What every write of a level does to the record first, in the windows and the command-line tool alike.
#pragma once

#include <cstdint>
#include <string>

#include "level/animated_sets.h"
#include "level/trlevel.h"

namespace pw {

// Sets the opaque flag (bit 15) on every 16-bit page word that is not 0; words equal to 0 stay the
// transparent colour. The 8-bit and 32-bit pages are written as they stand.
void PrepareLevelForSave(Ttrlevel& level);

// PrepareLevelForSave, then the animated sets stored into anim_words, then SaveLevel (its result).
// Raises what SaveLevel raises.
std::uint8_t SaveLevelAsEdited(Ttrlevel& level, const AnimatedSets& sets, const std::string& file_name);

// SaveLevelAsEdited on the bytes written only: the record is left as it was, so unchanged blocks still
// pass through and an edit history over the record stays true. Costs a copy of the 16-bit pages while
// writing when some word lacks its opaque flag.
std::uint8_t SaveLevelKeepingRecord(Ttrlevel& level, const AnimatedSets& sets, const std::string& file_name);

} // namespace pw
