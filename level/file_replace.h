// Whole-file input and output for the level container.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pw {

// Reads the whole file. Raises FileIoError.
std::vector<std::uint8_t> ReadWholeFile(const std::string& file_name);

// Writes `data` to a temporary file beside `file_name` and moves it over the target only when the
// write succeeded, so a failed save never destroys the existing file. Raises FileIoError.
void ReplaceFileContents(const std::string& file_name, std::span<const std::uint8_t> data);

} // namespace pw
