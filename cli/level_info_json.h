// The JSON summary of a level that `pagewright-cli info` prints.
#pragma once

#include <string>

#include "level/trlevel.h"

namespace pw {

std::string LevelInfoJson(const Ttrlevel& level);

} // namespace pw
