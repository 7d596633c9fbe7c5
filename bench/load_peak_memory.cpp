// pagewright-bench-memory [PAGES]: the peak memory of LoadLevel and of SaveLevel on a kind 6 level of
// PAGES pages (default 128), against the level's size with every block inflated. A child process
// draws and saves the level, so that the measuring process holds nothing but the level; a peak is
// the rise of its resident set over what it held before the load (VmHWM, reset before each save, less
// VmRSS before the load), so a save's figure includes the loaded record it writes. Saves run unedited
// and after one page changed in both depths. Exit code 0 when every peak is at most 1.3 times the
// inflated size.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/kind6_blocks.h"
#include "bench/peak_memory.h"
#include "level/layout.h"
#include "level/trlevel.h"
#include "tools/sample_level.h"

namespace {

namespace fs = std::filesystem;

constexpr double kTarget = 1.3;

using pw::bench::ResetPeak;
using pw::bench::SaveInChild;
using pw::bench::StatusBytes;

std::size_t InflatedSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> image((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    return pw::bench::SplitKind6(image).UnpackedSize();
}

} // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::atoi(argv[1]) : 128;
    const fs::path file =
        fs::temp_directory_path() / ("pagewright-memory-" + std::to_string(getpid()) + ".tr4");
    try {
        if (pages <= 0 || !SaveInChild(file, pw::layout::kVersionTr4, pages)) {
            std::fprintf(stderr, "pagewright-bench-memory: cannot make the level\n");
            return 2;
        }
        const std::size_t before = StatusBytes("VmRSS");
        pw::Ttrlevel level;
        const pw::Result result = level.LoadLevel(file.string());
        const std::size_t peak = StatusBytes("VmHWM") - before;
        const fs::path saved = file.string() + ".saved.tr4";
        std::size_t save_peaks[2] = {0, 0};
        for (std::size_t i = 0; i < 2 && result; ++i) {
            if (i == 1) {
                level.pages16[100] ^= 1;
                level.pages32[200] ^= 1;
            }
            ResetPeak();
            if (level.SaveLevel(saved.string()))
                save_peaks[i] = StatusBytes("VmHWM") - before;
        }
        fs::remove(saved);
        level.Clear();
        // Measured after the load, so that reading the file here leaves no trace in the figure above.
        const std::size_t file_bytes = fs::file_size(file);
        const std::size_t inflated = InflatedSize(file);
        fs::remove(file);
        if (!result) {
            std::fprintf(stderr, "pagewright-bench-memory: %s\n", result.reason.c_str());
            return 2;
        }
        bool all_met = true;
        const auto report = [&](const char* what, std::size_t bytes) {
            const double ratio = static_cast<double>(bytes) / static_cast<double>(inflated);
            all_met = all_met && ratio <= kTarget;
            std::printf("%s, kind 6, %d pages: file %.1f MB, inflated %.1f MB, peak rise %.1f MB, "
                        "ratio %.2f (target <= %.1f): %s\n",
                        what, pages, file_bytes / 1e6, inflated / 1e6, bytes / 1e6, ratio, kTarget,
                        ratio <= kTarget ? "met" : "MISSED");
        };
        report("LoadLevel", peak);
        report("SaveLevel unedited", save_peaks[0]);
        report("SaveLevel one page changed", save_peaks[1]);
        return all_met ? 0 : 1;
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(file, ignored);
        std::fprintf(stderr, "pagewright-bench-memory: %s\n", e.what());
        return 2;
    }
}
