// What a save writes beyond the record's own bytes. The caller decides it; the writer reads the record
// as it stands and applies the plan to the bytes on their way out, so a save never changes the record.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace pw {

struct SavePlan {
    // The layout to write (a LevelKind); kind_none: the one the record's version word and the target's
    // file name select.
    std::int32_t target_kind = 0;
    // Sets the opaque flag (bit 15) on every 16-bit page word that is not 0; words equal to 0 stay the
    // transparent colour.
    bool set_opaque_flags = false;
    // The animated-texture words written in place of the record's anim_words; none: the record's own.
    std::optional<std::vector<std::uint16_t>> anim_words;
};

} // namespace pw
