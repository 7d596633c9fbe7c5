// Builds a complete, plausible level in memory: procedurally drawn pages in every depth the kind
// carries, object textures on the 64-pixel grid of every page, one animated set (the water frames),
// two joined rooms and small sections around them. The same plan always gives the same bytes.
#pragma once

#include <cstdint>
#include <string>

#include "level/trlevel.h"

namespace pw::art {

struct SampleLevelPlan {
    std::string file_name; // selects the kind together with the version word
    std::uint32_t version = 0;
    int pages = 2;
    std::uint32_t seed = 1;
};

// Replaces the content of `level` with the sample level; the result is ready for SaveLevel.
void BuildSampleLevel(const SampleLevelPlan& plan, Ttrlevel& level);

} // namespace pw::art
