// pagewright-bench: LoadLevel and SaveLevel on kind 6 levels of 16, 64 and 128 pages, against zlib's
// compress2 (level 9) and uncompress on the same four blocks. SaveLevel runs on an unedited level
// (its blocks pass through) and after one page changed in both depths (the two page blocks compress
// again, concurrently). MB/s count the 16-bit and 32-bit page bytes. After the run a table compares
// them: an unedited save should be at least 20 times as fast as compress2 rewriting the blocks, a
// save after one changed page at least 2.5 times, and LoadLevel at least twice as fast as uncompress.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>

#include "bench/bench_level.h"
#include "bench/comparison_reporter.h"
#include "level/animated_sets.h"
#include "level/save_preparation.h"
#include "level/trlevel.h"

namespace {

using pw::bench::BenchLevel;
using pw::bench::GetBenchLevel;

constexpr int kPageCounts[] = {16, 64, 128};
constexpr double kUneditedSaveTarget = 20.0;
constexpr double kChangedSaveTarget = 2.5;
constexpr double kLoadTarget = 2.0;

void CountPageBytes(benchmark::State& state, const BenchLevel& level) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(level.page_bytes));
}

void LoadLevel(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    pw::Ttrlevel record; // reused, as the editor reuses its level record
    for (auto _ : state) {
        if (record.LoadLevel(level.file.string()) != pw::Status::done)
            state.SkipWithError("LoadLevel failed");
        benchmark::DoNotOptimize(record.pages32.data());
    }
    CountPageBytes(state, level);
}

void SaveLevel(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    pw::Ttrlevel record;
    pw::bench::Require(record.LoadLevel(level.file.string()));
    for (auto _ : state) {
        if (record.SaveLevel(level.target.string()) != pw::Status::done)
            state.SkipWithError("SaveLevel failed");
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(level.target));
    CountPageBytes(state, level);
}

// Each save follows a change of one pixel in page 0 of both depths, as a tile copy would make.
void SaveLevelOnePageChanged(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    pw::Ttrlevel record;
    pw::bench::Require(record.LoadLevel(level.file.string()));
    std::uint8_t value = 0;
    for (auto _ : state) {
        record.pages16[100] = ++value;
        record.pages32[200] = value;
        if (record.SaveLevel(level.target.string()) != pw::Status::done)
            state.SkipWithError("SaveLevel failed");
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(level.target));
    CountPageBytes(state, level);
}

// The save of the editor after a tile copy from a picture without alpha: one 64 x 64 tile of page 0
// changed in both depths, its 16-bit words without the opaque flag, so the fix-up has work to do.
void SaveLevelEdited(benchmark::State& state) {
    const BenchLevel& level = GetBenchLevel(static_cast<int>(state.range(0)));
    pw::Ttrlevel record;
    pw::bench::Require(record.LoadLevel(level.file.string()));
    const pw::AnimatedSets sets = pw::ParseAnimatedSets(record.anim_words);
    std::uint8_t value = 0;
    for (auto _ : state) {
        ++value;
        for (std::size_t y = 0; y < 64; ++y) {
            for (std::size_t x = 0; x < 64; ++x) {
                record.pages16[y * 512 + 2 * x] = value;
                record.pages16[y * 512 + 2 * x + 1] = 0x04;
                record.pages32[y * 1024 + 4 * x] = value;
            }
        }
        if (pw::SaveLevelAsEdited(record, sets, level.target.string()) != pw::Status::done)
            state.SkipWithError("SaveLevelAsEdited failed");
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
          std::pair{"SaveLevel", &SaveLevel}, std::pair{"SaveLevelOnePageChanged", &SaveLevelOnePageChanged},
          std::pair{"SaveLevelEdited", &SaveLevelEdited}, std::pair{"Compress2", &Compress2}}) {
        auto* b = benchmark::RegisterBenchmark(name, function);
        for (const int pages : kPageCounts)
            b->Arg(pages);
        b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
    }
}

double MegabytesPerSecond(std::size_t bytes, double seconds) {
    return seconds > 0 ? static_cast<double>(bytes) / seconds / 1e6 : 0.0;
}

// Prints the comparison table; returns whether every target was met. Saves compress their blocks on
// worker threads, so the save ratios use wall-clock time (on a machine shared with other work they
// come out lower than on an idle one); the load ratio uses the CPU time of the benchmark thread.
bool PrintComparison(const pw::bench::ComparisonReporter& r) {
    bool all_met = true;
    std::printf(
        "\npages | compress2 ms | unedited save ms | ratio | one page changed ms | ratio | file bytes "
        "ours / zlib | LoadLevel MB/s | uncompress MB/s | ratio cpu (wall) | all met\n");
    for (const int pages : kPageCounts) {
        const BenchLevel& level = GetBenchLevel(pages);
        const auto save = r.Seconds("SaveLevel", pages);
        const auto changed = r.Seconds("SaveLevelOnePageChanged", pages);
        const auto compress = r.Seconds("Compress2", pages);
        const auto load = r.Seconds("LoadLevel", pages);
        const auto inflate = r.Seconds("Uncompress", pages);
        if (save.real <= 0 || changed.real <= 0 || compress.real <= 0 || load.cpu <= 0 || inflate.cpu <= 0)
            continue;
        const double unedited_ratio = compress.real / save.real;
        const double changed_ratio = compress.real / changed.real;
        const bool met = unedited_ratio >= kUneditedSaveTarget && changed_ratio >= kChangedSaveTarget &&
                         level.image.size() <= level.zlib_file_bytes && inflate.cpu / load.cpu >= kLoadTarget;
        all_met = all_met && met;
        std::printf("%5d | %12.1f | %16.1f | %5.1f | %19.1f | %5.2f | %10zu / %-10zu | %14.1f | %15.1f | "
                    "%5.2f (%5.2f)    | %s\n",
                    pages, compress.real * 1e3, save.real * 1e3, unedited_ratio, changed.real * 1e3,
                    changed_ratio, level.image.size(), level.zlib_file_bytes,
                    MegabytesPerSecond(level.page_bytes, load.cpu),
                    MegabytesPerSecond(level.page_bytes, inflate.cpu), inflate.cpu / load.cpu,
                    inflate.real / load.real, met ? "yes" : "NO");
    }
    std::printf("Targets: unedited save >= %.0fx compress2, one page changed >= %.1fx, file no larger, "
                "LoadLevel >= %.1fx uncompress: %s\n",
                kUneditedSaveTarget, kChangedSaveTarget, kLoadTarget, all_met ? "met" : "MISSED");
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
