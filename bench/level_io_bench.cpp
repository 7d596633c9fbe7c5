// pagewright-bench: LoadLevel and SaveLevel on kind 6 levels of 16, 64 and 128 pages, against zlib's
// compress2 (level 9) and uncompress on the same four blocks. MB/s count the 16-bit and 32-bit page
// bytes. After the run a table compares the two: SaveLevel should be at least 1.7 times as fast as
// compress2 with a file no larger, and LoadLevel at least twice as fast as uncompress.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>

#include "bench/bench_level.h"
#include "bench/comparison_reporter.h"
#include "level/trlevel.h"

namespace {

using pw::bench::BenchLevel;
using pw::bench::GetBenchLevel;

constexpr int kPageCounts[] = {16, 64, 128};
constexpr double kSaveTarget = 1.7;
constexpr double kLoadTarget = 2.0;

void CountPageBytes(benchmark::State& state, const BenchLevel& level) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(level.page_bytes));
}

void LoadLevel(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    pw::Ttrlevel record; // reused, as the editor reuses its level record
    for (auto _ : state) {
        if (record.LoadLevel(level.file.string()) != 0)
            state.SkipWithError("LoadLevel failed");
        benchmark::DoNotOptimize(record.pages32.data());
    }
    CountPageBytes(state, level);
}

void SaveLevel(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    pw::Ttrlevel record;
    record.LoadLevel(level.file.string());
    for (auto _ : state) {
        if (record.SaveLevel(level.target.string()) != 0)
            state.SkipWithError("SaveLevel failed");
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(level.target));
    CountPageBytes(state, level);
}

void Compress2(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const auto& raw : level.raw_blocks)
            benchmark::DoNotOptimize(pw::bench::ZlibCompress9(raw).data());
    state.counters["file_bytes"] = static_cast<double>(level.zlib_file_bytes);
    CountPageBytes(state, level);
}

void Uncompress(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (std::size_t i = 0; i < level.zlib_blocks.size(); ++i) {
            pw::bench::Bytes out(level.raw_blocks[i].size());
            pw::bench::ZlibUncompress(level.zlib_blocks[i], out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    CountPageBytes(state, level);
}

void Register() {
    for (const auto& [name, function] :
         {std::pair{"LoadLevel", &LoadLevel}, std::pair{"Uncompress", &Uncompress},
          std::pair{"SaveLevel", &SaveLevel}, std::pair{"Compress2", &Compress2}}) {
        auto* b = benchmark::RegisterBenchmark(name, function);
        for (const int pages : kPageCounts)
            b->Arg(pages);
        b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
    }
}

double MegabytesPerSecond(std::size_t bytes, double seconds) {
    return seconds > 0 ? static_cast<double>(bytes) / seconds / 1e6 : 0.0;
}

// Prints the comparison table; returns whether every target was met. The ratios use the CPU time of
// the benchmark thread: on a machine shared with other work the wall-clock time of one repetition
// can double while the CPU time stays put. Wall-clock ratios are printed beside them.
bool PrintComparison(const pw::bench::ComparisonReporter& r) {
    bool all_met = true;
    std::printf(
        "\npages | SaveLevel MB/s | compress2 MB/s | ratio cpu (wall) | file bytes ours / zlib | save ok | "
        "LoadLevel MB/s | uncompress MB/s | ratio cpu (wall) | load ok\n");
    for (const int pages : kPageCounts) {
        const BenchLevel& level = GetBenchLevel(pages);
        const auto save = r.Seconds("SaveLevel", pages);
        const auto compress = r.Seconds("Compress2", pages);
        const auto load = r.Seconds("LoadLevel", pages);
        const auto inflate = r.Seconds("Uncompress", pages);
        if (save.cpu <= 0 || compress.cpu <= 0 || load.cpu <= 0 || inflate.cpu <= 0)
            continue;
        const bool no_larger = level.image.size() <= level.zlib_file_bytes;
        const bool save_ok = compress.cpu / save.cpu >= kSaveTarget && no_larger;
        const bool load_ok = inflate.cpu / load.cpu >= kLoadTarget;
        all_met = all_met && save_ok && load_ok;
        std::printf("%5d | %14.1f | %14.1f | %5.2f (%5.2f)    | %10zu / %-10zu | %-7s | %14.1f | %15.1f | "
                    "%5.2f (%5.2f)    | %s\n",
                    pages, MegabytesPerSecond(level.page_bytes, save.cpu),
                    MegabytesPerSecond(level.page_bytes, compress.cpu), compress.cpu / save.cpu,
                    compress.real / save.real, level.image.size(), level.zlib_file_bytes,
                    save_ok ? "yes" : "NO", MegabytesPerSecond(level.page_bytes, load.cpu),
                    MegabytesPerSecond(level.page_bytes, inflate.cpu), inflate.cpu / load.cpu,
                    inflate.real / load.real, load_ok ? "yes" : "NO");
    }
    std::printf(
        "MB/s from CPU time. Targets: SaveLevel >= %.1fx compress2 with a file no larger; LoadLevel >= "
        "%.1fx uncompress: %s\n",
        kSaveTarget, kLoadTarget, all_met ? "met" : "MISSED");
    return all_met;
}

} // namespace

int main(int argc, char** argv) {
    try {
        Register();
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            return 1;
        pw::bench::ComparisonReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        PrintComparison(reporter);
        benchmark::Shutdown();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pagewright-bench: %s\n", e.what());
        return 1;
    }
}
