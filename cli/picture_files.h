// Picture names and exit codes of the command-line tool.
#pragma once

#include <string>

namespace cli {

inline constexpr int kDone = 0;
inline constexpr int kNotFound = 1;
inline constexpr int kOtherError = 3;
inline constexpr int kUsage = 64;

bool EndsWith(const std::string& name, const std::string& suffix); // ignoring case
bool IsPictureName(const std::string& name);                       // .bmp or .png

} // namespace cli
