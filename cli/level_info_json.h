// The JSON summary of a level that `pagewright-cli info` prints.
#pragma once

#include <string>

#include "level/trlevel.h"

namespace pw {

// `textures_only`: the level was read for its textures only, so what was not read is left out.
std::string LevelInfoJson(const Ttrlevel& level, bool textures_only = false);

} // namespace pw
