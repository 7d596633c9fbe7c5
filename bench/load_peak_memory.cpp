// pagewright-bench-memory [PAGES]: the peak memory of LoadLevel on a kind 6 level of PAGES pages
// (default 128), against the level's size with every block inflated. A child process draws and saves
// the level, so that the measuring process holds nothing but the load; the peak is the rise of its
// resident set (VmHWM after the load less VmRSS before it). Exit code 0 when the peak is at most
// 1.3 times the inflated size.
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
#include "level/layout.h"
#include "level/trlevel.h"
#include "tools/sample_level.h"

namespace {

namespace fs = std::filesystem;

constexpr double kTarget = 1.3;

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"), or 0 when absent.
std::size_t StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::strtoull(line.c_str() + field.size() + 1, nullptr, 10) * 1024;
    return 0;
}

bool SaveInChild(const fs::path& file, int pages) {
    const pid_t child = fork();
    if (child == 0) {
        pw::Ttrlevel level;
        pw::art::BuildSampleLevel({file.string(), pw::layout::kVersionTr4, pages, 2024}, level);
        std::_Exit(level.SaveLevel(file.string()) == 0 ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

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
        if (pages <= 0 || !SaveInChild(file, pages)) {
            std::fprintf(stderr, "pagewright-bench-memory: cannot make the level\n");
            return 2;
        }
        const std::size_t before = StatusBytes("VmRSS");
        pw::Ttrlevel level;
        const int result = level.LoadLevel(file.string());
        const std::size_t peak = StatusBytes("VmHWM") - before;
        level.Clear();
        // Measured after the load, so that reading the file here leaves no trace in the figure above.
        const std::size_t file_bytes = fs::file_size(file);
        const std::size_t inflated = InflatedSize(file);
        fs::remove(file);
        if (result != 0) {
            std::fprintf(stderr, "pagewright-bench-memory: LoadLevel gave %d\n", result);
            return 2;
        }
        const double ratio = static_cast<double>(peak) / static_cast<double>(inflated);
        std::printf("LoadLevel, kind 6, %d pages: file %.1f MB, inflated %.1f MB, peak rise %.1f MB, "
                    "ratio %.2f (target <= %.1f): %s\n",
                    pages, file_bytes / 1e6, inflated / 1e6, peak / 1e6, ratio, kTarget,
                    ratio <= kTarget ? "met" : "MISSED");
        return ratio <= kTarget ? 0 : 1;
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(file, ignored);
        std::fprintf(stderr, "pagewright-bench-memory: %s\n", e.what());
        return 2;
    }
}
