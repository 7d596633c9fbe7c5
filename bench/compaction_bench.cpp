// pagewright-bench-compact: compacting pages (see bench/README.md).
// - Quality: a level whose N pages each use one 64 x 64 corner packs into ceil(N / 16) pages; each
//   sample level ends within one page of ceil(covered pixels / 65,536) in every page group.
// - Speed: under 0.5 s for 16 pages and under 10 s for 4,096 pages (the plan and the moves).
// - Memory: the peak above the loaded level, against two pages per depth.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "bench/peak_memory.h"
#include "level/object_textures.h"
#include "level/page_access.h"
#include "level/page_compaction.h"
#include "level/texture_cover.h"

namespace {

// A kind 1 level (8-bit pages, so that 4,096 of them fit twice in memory) of `pages` pages. Corners: one 64 x
// 64 corner a page. Otherwise each 64-pixel cell of a page holds, or not, a texture of its bottom 16 to 64
// rows.
pw::Ttrlevel MakeLevel(int pages, bool corners) {
    pw::Ttrlevel level;
    level.kind = pw::kind_tr1;
    level.num_pages = pages;
    for (const pw::PageDepth depth : {pw::PageDepth::bits8}) {
        pw::Bytes& block = pw::PageBlock(level, depth);
        block.resize(static_cast<std::size_t>(pages) * pw::PageBytes(depth));
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<std::uint8_t>(i * 2654435761u >> 24);
    }
    std::uint32_t seed = 12345;
    for (int p = 0; p < pages; ++p) {
        for (int cell = 0; cell < (corners ? 1 : 16); ++cell) {
            seed = seed * 1103515245u + 12345u;
            if (!corners && (seed >> 16) % 10 < 4)
                continue;
            const int rows = corners ? 64 : 16 * (1 + static_cast<int>((seed >> 8) % 4));
            const int x = cell % 4 * 64, y = cell / 4 * 64 + 64 - rows;
            level.object_textures.push_back(
                pw::MakeRectangleTexture(level.kind, p, x, y, x + 63, y + rows - 1));
        }
    }
    level.num_object_textures = static_cast<std::int32_t>(level.object_textures.size());
    return level;
}

void Compact(benchmark::State& state, bool corners) {
    const int pages = static_cast<int>(state.range(0));
    const pw::Ttrlevel made = MakeLevel(pages, corners);
    int after = 0;
    for (auto _ : state) {
        state.PauseTiming();
        pw::Ttrlevel level = made;
        state.ResumeTiming();
        const pw::CompactionPlan plan = pw::PlanCompaction(level);
        pw::ApplyCompaction(level, plan);
        after = plan.pages_after;
        benchmark::DoNotOptimize(level.pages8.data());
    }
    state.counters["pages_after"] = after;
}
BENCHMARK_CAPTURE(Compact, corners, true)->Arg(16)->Arg(4096)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Compact, scattered, false)
    ->Arg(16)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Pixels some texture covers, per page group of the level.
void PrintQuality(const std::string& name, const pw::Ttrlevel& level) {
    std::size_t covered = 0;
    for (int p = 0; p < level.num_pages; ++p)
        covered += 65536 - pw::FreePixelCount(pw::CoverMask(level, p));
    pw::Ttrlevel compacted = level;
    const pw::CompactionPlan plan = pw::PlanCompaction(compacted);
    pw::ApplyCompaction(compacted, plan);
    std::printf("%-22s pages %4d -> %4d, ceil(covered / 65536) = %4zu, moved %d\n", name.c_str(),
                plan.pages_before, plan.pages_after, (covered + 65535) / 65536, plan.MovedAreas());
}

// The rise of the peak resident set above the loaded level while planning, and then while moving.
void PrintMemory(int pages, bool corners) {
    pw::Ttrlevel level = MakeLevel(pages, corners);
    const std::size_t loaded = pw::bench::StatusBytes("VmRSS");
    pw::bench::ResetPeak();
    const pw::CompactionPlan plan = pw::PlanCompaction(level);
    const std::size_t planned = pw::bench::StatusBytes("VmHWM");
    const std::size_t with_plan = pw::bench::StatusBytes("VmRSS");
    pw::bench::ResetPeak();
    pw::ApplyCompaction(level, plan);
    const std::size_t moved = pw::bench::StatusBytes("VmHWM");
    const auto above = [&](std::size_t peak) { return (peak > loaded ? peak - loaded : 0) / 1024; };
    std::printf("memory, %d pages (%s, %zu areas): peak above the loaded level %zu KB planning, %zu KB "
                "moving (the plan %zu KB of it); two pages per depth %zu KB\n",
                pages, corners ? "corners" : "scattered", plan.moves.size(), above(planned), above(moved),
                above(with_plan), 2 * pw::PageBytes(pw::PageDepth::bits8) / 1024);
}

} // namespace

int main(int argc, char** argv) {
    for (const int n : {16, 17, 100, 4096})
        PrintQuality("corners " + std::to_string(n) + " (ceil " + std::to_string((n + 15) / 16) + ")",
                     MakeLevel(n, true));
    for (const int n : {16, 4096})
        PrintQuality("scattered " + std::to_string(n), MakeLevel(n, false));
    for (const auto& entry : std::filesystem::directory_iterator(PW_SAMPLES_DIR)) {
        pw::Ttrlevel level;
        if (entry.path().extension() != ".md" && level.LoadLevel(entry.path().string()))
            PrintQuality(entry.path().filename().string(), level);
    }
    for (const int pages : {16, 4096})
        for (const bool corners : {true, false})
            PrintMemory(pages, corners);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
