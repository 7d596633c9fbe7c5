// pagewright-bench-editing: the cost of the editing core on a 128-page kind 6 level.
// - Palette matching of a 256 x 256 page of 24-bit colours (warm cache) against Expand1555To565 on the
//   same page: at most 4 times.
// - A tile copy through the main window (every depth written, the view and the preview refreshed)
//   against converting every page for display once (ConvertEveryPage): at most 3 times.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/main_window.h"
#include "bench/bench_level.h"
#include "bench/comparison_reporter.h"
#include "bench/page_conversion.h"
#include "bench/window_bench_main.h"
#include "level/layout.h"
#include "level/palette_matcher.h"
#include "level/pixel_conversion.h"

namespace {

constexpr int kPages = 128;
constexpr int kPageArg = 1;

// The first page of the bench level: its 16-bit words, and the same as 24-bit colours.
const std::vector<std::uint16_t>& PageWords() {
    static const std::vector<std::uint16_t> words = [] {
        pw::Ttrlevel level;
        pw::bench::Require(level.LoadLevel(pw::bench::GetBenchLevel(kPages).file.string(), true));
        std::vector<std::uint16_t> w(65536);
        std::memcpy(w.data(), level.pages16.data(), 2 * w.size());
        std::vector<std::uint16_t> sorted = w;
        std::sort(sorted.begin(), sorted.end());
        std::printf("bench page: %td distinct colours\n",
                    std::unique(sorted.begin(), sorted.end()) - sorted.begin());
        return w;
    }();
    return words;
}

std::vector<std::uint32_t> PageColours() {
    std::vector<std::uint32_t> colours;
    colours.reserve(65536);
    for (const std::uint16_t w : PageWords()) {
        const std::uint32_t r = (w >> 10) & 0x1F, g = (w >> 5) & 0x1F, b = w & 0x1F;
        colours.push_back(((r << 19 | r << 14) & 0xFF0000) | ((g << 11 | g << 6) & 0xFF00) |
                          (b << 3 | b >> 2));
    }
    return colours;
}

std::array<std::uint8_t, 768> SomePalette() {
    std::array<std::uint8_t, 768> palette{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<std::uint8_t>((i * 37 + i / 3 * 11) % 64);
    return palette;
}

void PaletteMatchPage(benchmark::State& state) {
    const std::vector<std::uint32_t> colours = PageColours();
    pw::PaletteMatcher matcher(SomePalette());
    std::vector<std::uint8_t> out(colours.size());
    matcher.MatchPixels(colours.data(), colours.size(), out.data()); // warm: every colour seen once
    for (auto _ : state) {
        matcher.MatchPixels(colours.data(), colours.size(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
}

void PaletteMatchPageCold(benchmark::State& state) {
    const std::vector<std::uint32_t> colours = PageColours();
    std::vector<std::uint8_t> out(colours.size());
    for (auto _ : state) {
        pw::PaletteMatcher matcher(SomePalette());
        matcher.MatchPixels(colours.data(), colours.size(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
}

void ExpandPage(benchmark::State& state) {
    const std::vector<std::uint16_t>& words = PageWords();
    std::vector<std::uint16_t> work(words.size());
    for (auto _ : state) {
        std::memcpy(work.data(), words.data(), 2 * words.size());
        pw::Expand1555To565(work.data(), work.size());
        benchmark::DoNotOptimize(work.data());
    }
}

QString BenchFile() {
    return QString::fromStdString(pw::bench::GetBenchLevel(kPages).file.string());
}

void OpenForCopies() {
    if (!Form1->Document().HasLevel())
        Form1->OpenLevelFile(BenchFile());
}

void TileCopy(benchmark::State& state) {
    OpenForCopies();
    int x = 0;
    for (auto _ : state) {
        Form1->Control<TImage>("Image2")->OnMouseDown(Qt::LeftButton, {}, x, 70);
        x = (x + 64) % 256;
    }
}

void ConvertEveryPage(benchmark::State& state) {
    OpenForCopies();
    QImage pages;
    for (auto _ : state) {
        pw::bench::ConvertEveryPage(Form1->Document().Level(), pages);
        benchmark::DoNotOptimize(pages.constBits());
    }
}

void Register() {
    const std::pair<const char*, void (*)(benchmark::State&)> all[] = {
        {"PaletteMatchPage", &PaletteMatchPage},
        {"PaletteMatchPageCold", &PaletteMatchPageCold},
        {"Expand1555To565Page", &ExpandPage},
        {"TileCopy", &TileCopy},
        {"ConvertEveryPage", &ConvertEveryPage}};
    for (const auto& [name, function] : all)
        benchmark::RegisterBenchmark(name, function)
            ->Arg(kPageArg)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
}

} // namespace

int main(int argc, char** argv) {
    return pw::bench::RunWindowBenchmarks(
        argc, argv, Register, [](const pw::bench::ComparisonReporter& reporter) {
            const auto cpu = [&](const char* name) { return reporter.Seconds(name, kPageArg).cpu; };
            const bool match =
                pw::bench::PrintRatio("palette match (warm) / Expand1555To565, one page",
                                      cpu("PaletteMatchPage"), cpu("Expand1555To565Page"), 4.0);
            std::printf("palette match (cold, a new matcher each page): %.3f ms\n",
                        cpu("PaletteMatchPageCold") * 1e3);
            const bool copy = pw::bench::PrintRatio("tile copy / ConvertEveryPage (128 pages)",
                                                    cpu("TileCopy"), cpu("ConvertEveryPage"), 3.0);
            return match && copy;
        });
}
