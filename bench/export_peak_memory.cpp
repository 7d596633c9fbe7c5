// pagewright-bench-export [PAGES] [tr1|tr4]: the peak memory and the time of writing a level's stacked
// export as .bmp and as .png (pictures/picture_export.h), for a level of PAGES pages (default 1024) of
// kind 1 or 6 (default tr4). A child process draws and saves the level; this process loads it as the
// export command does and measures each export's rise of the resident set over what the loaded level
// holds (VmHWM, reset before each export, less VmRSS after the load) and its wall-clock time (the
// CPU time beside it: on a busy machine the compressing .png loses more to other work than the .bmp).
// Targets: a rise of at most 64 MB at any page count, and the .png taking at most three times as long
// as the .bmp. Exit code 0 when both are met.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "bench/peak_memory.h"
#include "level/layout.h"
#include "level/trlevel.h"
#include "pictures/picture_export.h"
#include "tools/sample_level.h"

namespace {

namespace fs = std::filesystem;

constexpr double kMaxRiseMb = 64;
constexpr double kMaxPngOverBmp = 3;

using pw::bench::ResetPeak;
using pw::bench::SaveInChild;
using pw::bench::StatusBytes;

struct Run {
    double seconds = 0;
    double cpu_seconds = 0;
    double rise_mb = 0;
};

Run Export(const pw::Ttrlevel& level, const fs::path& out, std::size_t loaded_rss) {
    ResetPeak();
    // Wall-clock time, the file flushed to the disk included, as the user waits for it.
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    if (const pw::Result written = WritePictureExport(level, out.string(), ExportDepth::shown24); !written)
        throw std::runtime_error(written.reason);
    const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::size_t peak = StatusBytes("VmHWM");
    fs::remove(out);
    return {took, cpu, peak > loaded_rss ? static_cast<double>(peak - loaded_rss) / 1e6 : 0};
}

} // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::atoi(argv[1]) : 1024;
    const bool tr1 = argc > 2 && std::strcmp(argv[2], "tr1") == 0;
    const fs::path folder = fs::temp_directory_path();
    const std::string stem = "pagewright-export-" + std::to_string(getpid());
    const fs::path file = folder / (stem + (tr1 ? ".phd" : ".tr4"));
    try {
        if (pages <= 0 ||
            !SaveInChild(file, tr1 ? pw::layout::kVersionTr1 : pw::layout::kVersionTr4, pages)) {
            std::fprintf(stderr, "pagewright-bench-export: cannot make the level\n");
            return 2;
        }
        const std::size_t before = StatusBytes("VmRSS");
        pw::Ttrlevel level;
        const pw::Result result = level.LoadLevel(file.string(), true);
        fs::remove(file);
        if (!result) {
            std::fprintf(stderr, "pagewright-bench-export: %s\n", result.reason.c_str());
            return 2;
        }
        const std::size_t loaded = StatusBytes("VmRSS");
        const Run bmp = Export(level, folder / (stem + ".bmp"), loaded);
        const Run png = Export(level, folder / (stem + ".png"), loaded);
        const double ratio = png.seconds / bmp.seconds;
        const bool met = bmp.rise_mb <= kMaxRiseMb && png.rise_mb <= kMaxRiseMb && ratio <= kMaxPngOverBmp;
        std::printf("kind %d, %d pages, loaded level %.1f MB\n", tr1 ? 1 : 6, pages, (loaded - before) / 1e6);
        std::printf("  .bmp: %.2f s (CPU %.2f s), peak rise %.1f MB\n", bmp.seconds, bmp.cpu_seconds,
                    bmp.rise_mb);
        std::printf("  .png: %.2f s (CPU %.2f s), peak rise %.1f MB, %.2f x the .bmp time\n", png.seconds,
                    png.cpu_seconds, png.rise_mb, ratio);
        std::printf("targets (rise <= %.0f MB, .png <= %.0f x .bmp): %s\n", kMaxRiseMb, kMaxPngOverBmp,
                    met ? "met" : "MISSED");
        return met ? 0 : 1;
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(file, ignored);
        std::fprintf(stderr, "pagewright-bench-export: %s\n", e.what());
        return 2;
    }
}
