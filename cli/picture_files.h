// The picture names the command-line tool writes.
#pragma once

#include <string>

namespace cli {

bool EndsWith(const std::string& name, const std::string& suffix); // ignoring case
bool IsPictureName(const std::string& name);                       // .bmp or .png

} // namespace cli
