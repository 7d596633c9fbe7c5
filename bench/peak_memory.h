// What the memory benchmarks share: the resident-set figures of this process, and a level drawn and
// saved by a child process so that the measuring process holds nothing but what it loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace pw::bench {

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"), or 0 when absent.
std::size_t StatusBytes(const std::string& field);
// Starts a new high-water mark at the current resident set.
void ResetPeak();
// Draws a sample level of `pages` pages with the version word `version` and saves it as `file` in a
// child process; false when that failed.
bool SaveInChild(const std::filesystem::path& file, std::uint32_t version, int pages);

} // namespace pw::bench
