// pagewright-bench-gui: the cost of showing a level. Opening a 128-page kind 6 level up to its first
// page on screen (OpenLevelFile: LoadLevel, page list, page view) against LoadLevel alone, and
// converting every page for display (ConvertEveryPage) against a memcpy of the same bytes. A table
// after the run checks both ratios: opening at most 1.3 times LoadLevel, the conversion at most 10 times
// the memcpy.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/main_window.h"
#include "bench/bench_level.h"
#include "bench/comparison_reporter.h"
#include "bench/page_conversion.h"
#include "bench/window_bench_main.h"
#include "level/layout.h"

namespace {

constexpr int kPages = 128;
constexpr double kOpenTarget = 1.3;
constexpr double kConversionTarget = 10.0;

QString BenchFile() {
    return QString::fromStdString(pw::bench::GetBenchLevel(kPages).file.string());
}

void LoadLevel(benchmark::State& state) {
    const std::string file = BenchFile().toStdString();
    pw::Ttrlevel record;
    for (auto _ : state) {
        if (record.LoadLevel(file) != pw::Status::done)
            state.SkipWithError("LoadLevel failed");
        benchmark::DoNotOptimize(record.pages16.data());
    }
}

void OpenLevelFile(benchmark::State& state) {
    const QString file = BenchFile();
    for (auto _ : state) {
        Form1->OpenLevelFile(file);
        if (!Form1->Document().HasLevel())
            state.SkipWithError("the level did not open");
    }
}

void ConvertEveryPage(benchmark::State& state) {
    Form1->OpenLevelFile(BenchFile());
    QImage pages;
    for (auto _ : state) {
        pw::bench::ConvertEveryPage(Form1->Document().Level(), pages);
        benchmark::DoNotOptimize(pages.constBits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kPages *
                            static_cast<std::int64_t>(pw::layout::kPage16Bytes));
}

void Memcpy(benchmark::State& state) {
    const std::vector<std::uint8_t> from(kPages * pw::layout::kPage16Bytes, 0x5A);
    std::vector<std::uint8_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(from.size()));
}

void Register() {
    for (const auto& [name, function] :
         {std::pair{"LoadLevel", &LoadLevel}, std::pair{"OpenLevelFile", &OpenLevelFile},
          std::pair{"ConvertEveryPage", &ConvertEveryPage}, std::pair{"Memcpy", &Memcpy}}) {
        benchmark::RegisterBenchmark(name, function)
            ->Arg(kPages)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }
}

} // namespace

int main(int argc, char** argv) {
    return pw::bench::RunWindowBenchmarks(
        argc, argv, Register, [](const pw::bench::ComparisonReporter& reporter) {
            const bool open_met = pw::bench::PrintRatio(
                "OpenLevelFile / LoadLevel (128 pages)", reporter.Seconds("OpenLevelFile", kPages).real,
                reporter.Seconds("LoadLevel", kPages).real, kOpenTarget);
            const bool conversion_met = pw::bench::PrintRatio(
                "ConvertEveryPage / memcpy (128 pages)", reporter.Seconds("ConvertEveryPage", kPages).real,
                reporter.Seconds("Memcpy", kPages).real, kConversionTarget);
            return open_met && conversion_met;
        });
}
