// pagewright-bench-save-memory [PAGES] [tr1|tr2|tr4|trc]: the peak memory and the time of saving an edited
// level of PAGES pages (default 4096) as the editor saves it (the opaque-flag fix-up and the animated sets
// applied to the bytes written). A child process draws and saves the level; this process loads it,
// copies a 64 x 64 tile without opaque flags into page 0 (as a tile copy from a picture without alpha
// does) and saves it. The figure is the rise of the resident set over the loaded level during the
// save (VmHWM, reset after the edit, less VmRSS then). Target: at most the compression buffers, that
// is, for each block compressed anew, its output and its input where the compressor cannot read it
// from the record (kinds 6 and 7); nothing for the uncompressed kinds beyond the file image the
// writer assembles. Exit code 0 when the save succeeded.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/peak_memory.h"
#include "level/animated_sets.h"
#include "level/layout.h"
#include "level/save_preparation.h"
#include "level/trlevel.h"

namespace {

namespace fs = std::filesystem;

using pw::bench::ResetPeak;
using pw::bench::SaveInChild;
using pw::bench::StatusBytes;

// The version word and the file name extension of each kind the benchmark can save.
struct KindChoice {
    const char* name;
    std::uint32_t version;
};
constexpr KindChoice kKinds[] = {{"tr1", pw::layout::kVersionTr1},
                                 {"tr2", pw::layout::kVersionTr2},
                                 {"tr4", pw::layout::kVersionTr4},
                                 {"trc", pw::layout::kVersionTr4}};

// The top-left 64 x 64 tile of page 0 as a tile copy from a picture without alpha leaves it: index 1
// in 8 bits, words 0x0421 (no opaque flag) in 16 bits, opaque grey in 32 bits.
void CopyTileWithoutFlags(pw::Ttrlevel& level) {
    constexpr std::size_t kRow8 = 256, kRow16 = 512, kRow32 = 1024;
    for (std::size_t y = 0; y < 64; ++y) {
        for (std::size_t x = 0; x < 64; ++x) {
            if (!level.pages8.empty())
                level.pages8[y * kRow8 + x] = 1;
            if (!level.pages16.empty()) {
                level.pages16[y * kRow16 + 2 * x] = 0x21;
                level.pages16[y * kRow16 + 2 * x + 1] = 0x04;
            }
            if (!level.pages32.empty())
                std::memset(&level.pages32[y * kRow32 + 4 * x], 0x40, 4);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::atoi(argv[1]) : 4096;
    const char* kind_name = argc > 2 ? argv[2] : "tr4";
    const auto* kind = std::find_if(std::begin(kKinds), std::end(kKinds), [kind_name](const KindChoice& k) {
        return std::strcmp(k.name, kind_name) == 0;
    });
    if (kind == std::end(kKinds)) {
        std::fprintf(stderr, "pagewright-bench-save-memory: the kind is one of tr1, tr2, tr4, trc\n");
        return 2;
    }
    const std::string ext = std::string(".") + kind->name;
    const fs::path file =
        fs::temp_directory_path() / ("pagewright-save-memory-" + std::to_string(getpid()) + ext);
    const fs::path saved = file.string() + ".saved" + ext;
    try {
        if (pages <= 0 || !SaveInChild(file, kind->version, pages)) {
            std::fprintf(stderr, "pagewright-bench-save-memory: cannot make the level\n");
            return 2;
        }
        pw::Ttrlevel level;
        if (level.LoadLevel(file.string()) != pw::Status::done) {
            std::fprintf(stderr, "pagewright-bench-save-memory: cannot load the level\n");
            return 2;
        }
        CopyTileWithoutFlags(level);
        const pw::AnimatedSets sets = pw::ParseAnimatedSets(level.anim_words);
        const std::size_t loaded = StatusBytes("VmRSS");
        ResetPeak();
        const auto start = std::chrono::steady_clock::now();
        const pw::Result written = pw::SaveLevelAsEdited(level, sets, saved.string());
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::size_t rise = StatusBytes("VmHWM") - loaded;
        if (!written)
            throw std::runtime_error(written.reason);
        const std::size_t saved_bytes = fs::file_size(saved);
        std::printf(
            "edited save, %s, %d pages: loaded level %.1f MB resident, file %.1f MB, peak rise %.1f MB, "
            "save %.2f s\n",
            ext.c_str() + 1, pages, loaded / 1e6, saved_bytes / 1e6, rise / 1e6, seconds);
        fs::remove(saved);
        fs::remove(file);
        return 0;
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(file, ignored);
        fs::remove(saved, ignored);
        std::fprintf(stderr, "pagewright-bench-save-memory: %s\n", e.what());
        return 2;
    }
}
