// Whole-file input and output for the level container.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "level/result.h"

namespace pw {

// Reads the whole file. Raises FileIoError (the library's own unwinding).
std::vector<std::uint8_t> ReadWholeFile(const std::string& file_name);

// Writes `data` through WriteFileSafely: the target is replaced only when the write succeeded, so a
// failed save never destroys the existing file (done or file_error), and the data is flushed to the
// disk before it replaces the target, so a power cut right after a save cannot leave an empty file.
Result ReplaceFileContents(const std::string& file_name, std::span<const std::uint8_t> data);
// The same with the content written by `write` into the open temporary file. When `write` reports a
// failure or raises, the temporary file is removed and the target left alone: its failure (or the
// LevelError it raised) is returned, any other exception passed on.
Result ReplaceFileContents(const std::string& file_name,
                                const std::function<Result(std::FILE*)>& write);

} // namespace pw
