#include "level/save_preparation.h"

#include <algorithm>

#include "level/layout.h"
#include "level/page_access.h"

namespace pw {

void PrepareLevelForSave(Ttrlevel& level) {
    if (!CarriesDepth(level.kind, PageDepth::bits16) || level.num_pages <= 0)
        return;
    const std::size_t bytes =
        std::min(level.pages16.size(), static_cast<std::size_t>(level.num_pages) * layout::kPage16Bytes);
    std::uint8_t* words = level.pages16.data();
    // Little-endian words: the flag is the top bit of the second byte.
    for (std::size_t at = 0; at + 1 < bytes; at += 2) {
        if ((words[at] | words[at + 1]) != 0)
            words[at + 1] |= 0x80;
    }
}

std::uint8_t SaveLevelAsEdited(Ttrlevel& level, const AnimatedSets& sets, const std::string& file_name) {
    if (!level.IsLoaded())
        return 1;
    PrepareLevelForSave(level);
    StoreAnimatedSets(level, sets);
    return level.SaveLevel(file_name);
}

} // namespace pw
