// Whole-file input and output for the level container.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace pw {

// Reads the whole file. Raises FileIoError.
std::vector<std::uint8_t> ReadWholeFile(const std::string& file_name);

// Writes `data` to a temporary file beside `file_name` and moves it over the target only when the
// write succeeded, so a failed save never destroys the existing file. Raises FileIoError.
// The data is flushed to the disk before it replaces the target, so a power cut right after a save
// cannot leave an empty file behind.
void ReplaceFileContents(const std::string& file_name, std::span<const std::uint8_t> data);
// The same with the content written by `write` into the open temporary file.
void ReplaceFileContents(const std::string& file_name, const std::function<void(std::FILE*)>& write);

} // namespace pw
