// pagewright-bench-import: a whole 256 x 256 picture imported into a page of a kind 1 level (the bundled
// sample's palette), as `pagewright-cli import-page` does it: a new matcher for the import, then every
// pixel matched. Compared with the matching the copies used before (nearest by RGB distance, entry 0
// included; bench/legacy_palette_matcher.h): at most 2 times as long without dithering, 4 times with.
// Also prints the mean error per channel of each way on the same gradient with dark areas, per pixel
// and over 8 x 8 blocks (what the eye averages), and the least block error the palette allows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/comparison_reporter.h"
#include "bench/legacy_palette_matcher.h"
#include "level/page_writing.h"
#include "level/palette_matcher.h"
#include "level/trlevel.h"

namespace {

constexpr int kSide = 256;
constexpr int kArg = 1;

const pw::Ttrlevel& Kind1Level() {
    static const pw::Ttrlevel level = [] {
        pw::Ttrlevel l;
        if (l.LoadLevel(std::string(PW_SAMPLES_DIR) + "/sample_tr1.phd", true) != pw::Status::done ||
            l.num_pages < 1)
            throw std::runtime_error("cannot read the sample kind 1 level");
        return l;
    }();
    return level;
}

// Smooth ramps in all three channels, with a band and a corner darkened to a quarter.
const std::vector<std::uint32_t>& GradientPicture() {
    static const std::vector<std::uint32_t> picture = [] {
        std::vector<std::uint32_t> p;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const int dark = (y >= 96 && y < 160) || (x < 64 && y < 64) ? 4 : 1;
                const auto r = static_cast<std::uint32_t>(x / dark), g = static_cast<std::uint32_t>(y / dark),
                           b = static_cast<std::uint32_t>((x + y) / 2 / dark);
                p.push_back(0xFF000000u | r << 16 | g << 8 | b);
            }
        return p;
    }();
    return picture;
}

void ImportToday(pw::Ttrlevel& level) {
    pw::bench::LegacyPaletteMatcher matcher(level.palette);
    const auto& picture = GradientPicture();
    for (std::size_t i = 0; i < picture.size(); ++i)
        level.pages8[i] = matcher.MatchArgb(picture[i]);
}

void ImportNow(pw::Ttrlevel& level, bool dither) {
    pw::PixelSource source;
    source.width = kSide;
    source.height = kSide;
    source.argb = GradientPicture();
    source.dither = dither;
    pw::WritePagePixels(level, 0, 0, 0, source, nullptr);
}

void ImportTodayBench(benchmark::State& state) {
    pw::Ttrlevel level = Kind1Level();
    for (auto _ : state) {
        ImportToday(level);
        benchmark::DoNotOptimize(level.pages8.data());
    }
}

void ImportBench(benchmark::State& state, bool dither) {
    pw::Ttrlevel level = Kind1Level();
    for (auto _ : state) {
        ImportNow(level, dither);
        benchmark::DoNotOptimize(level.pages8.data());
    }
}

// Mean absolute difference per channel between the picture and the colours page 0 shows, averaged
// over blocks of `block` x `block` pixels first.
double MeanError(const pw::Ttrlevel& level, int block) {
    const auto& picture = GradientPicture();
    double total = 0;
    int count = 0;
    for (int by = 0; by < kSide; by += block)
        for (int bx = 0; bx < kSide; bx += block, ++count)
            for (int shift = 0; shift <= 16; shift += 8) {
                double wanted = 0, shown = 0;
                for (int y = by; y < by + block; ++y)
                    for (int x = bx; x < bx + block; ++x) {
                        const std::size_t at = static_cast<std::size_t>(y) * kSide + x;
                        wanted += (picture[at] >> shift) & 0xFF;
                        const std::size_t entry = level.pages8[at];
                        shown += (level.palette[3 * entry + 2 - shift / 8] * 4) & 0xFF;
                    }
                total += std::abs(wanted - shown) / (block * block);
            }
    return total / (3.0 * count);
}

// The least 8 x 8 block error any choice of indices can reach on the picture: a block shows the mean of
// the entries it uses, a point h in their convex hull, and for every g in [-1, 1]^3 the summed
// per-channel distance from the picture's block mean t to h is at least g.t - g.h >= g.t - max g.p over
// the entries p. The best g of a grid gives a floor per block. Entry 0 counts only in a block holding a
// pixel of the transparent colour, the one place it may be written.
double BlockErrorFloor(const pw::Ttrlevel& level) {
    constexpr int kSteps = 41;
    struct Plane {
        std::array<double, 3> g;
        double opaque = -1e18, any = -1e18; // the largest g.p over entries 1 to 255, and over all
    };
    std::vector<Plane> planes;
    for (int i = 0; i < kSteps * kSteps * kSteps; ++i) {
        Plane plane;
        for (int c = 0, rest = i; c < 3; ++c, rest /= kSteps)
            plane.g[static_cast<std::size_t>(c)] = -1.0 + 2.0 * (rest % kSteps) / (kSteps - 1);
        for (std::size_t e = 0; e < 256; ++e) {
            double dot = 0;
            for (std::size_t c = 0; c < 3; ++c)
                dot += plane.g[c] * ((level.palette[3 * e + c] * 4) & 0xFF);
            plane.any = std::max(plane.any, dot);
            if (e > 0)
                plane.opaque = std::max(plane.opaque, dot);
        }
        planes.push_back(plane);
    }
    const auto& picture = GradientPicture();
    const std::uint32_t transparent = static_cast<std::uint32_t>((level.palette[0] * 4) & 0xFF) << 16 |
                                      static_cast<std::uint32_t>((level.palette[1] * 4) & 0xFF) << 8 |
                                      static_cast<std::uint32_t>((level.palette[2] * 4) & 0xFF);
    double total = 0;
    int count = 0;
    for (int by = 0; by < kSide; by += 8)
        for (int bx = 0; bx < kSide; bx += 8, ++count) {
            std::array<double, 3> mean{};
            bool holds_transparent = false;
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x) {
                    const std::uint32_t c = picture[static_cast<std::size_t>(y) * kSide + x];
                    holds_transparent |= (c & 0xFFFFFFu) == transparent;
                    for (std::size_t k = 0; k < 3; ++k)
                        mean[k] += ((c >> (16 - 8 * k)) & 0xFF) / 64.0;
                }
            double floor = 0;
            for (const auto& p : planes)
                floor = std::max(floor, p.g[0] * mean[0] + p.g[1] * mean[1] + p.g[2] * mean[2] -
                                            (holds_transparent ? p.any : p.opaque));
            total += floor / 3;
        }
    return total / count;
}

int Holes(const pw::Ttrlevel& level) {
    int holes = 0;
    for (std::size_t i = 0; i < 65536; ++i)
        holes += level.pages8[i] == 0 ? 1 : 0;
    return holes;
}

void PrintErrors() {
    pw::Ttrlevel today = Kind1Level(), plain = Kind1Level(), dithered = Kind1Level();
    ImportToday(today);
    ImportNow(plain, false);
    ImportNow(dithered, true);
    std::printf("\nmean error per channel on the gradient (per pixel | 8 x 8 blocks | pixels on index 0):\n");
    for (const auto& [name, level] : {std::pair<const char*, const pw::Ttrlevel*>{"before", &today},
                                      {"nearest-looking", &plain},
                                      {"dithered", &dithered}})
        std::printf("  %-16s %6.2f | %6.2f | %d\n", name, MeanError(*level, 1), MeanError(*level, 8),
                    Holes(*level));
    std::printf("  no choice of indices gets the 8 x 8 block error below %.2f with this palette\n",
                BlockErrorFloor(today));
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::pair<const char*, void (*)(benchmark::State&)> all[] = {
            {"ImportToday", &ImportTodayBench},
            {"Import", [](benchmark::State& s) { ImportBench(s, false); }},
            {"ImportDithered", [](benchmark::State& s) { ImportBench(s, true); }}};
        for (const auto& [name, function] : all)
            benchmark::RegisterBenchmark(name, function)
                ->Arg(kArg)
                ->Unit(benchmark::kMicrosecond)
                ->Repetitions(3)
                ->ReportAggregatesOnly(true);
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            return 1;
        pw::bench::ComparisonReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const auto cpu = [&](const char* name) { return reporter.Seconds(name, kArg).cpu; };
        const bool plain =
            pw::bench::PrintRatio("import / before, one page", cpu("Import"), cpu("ImportToday"), 2.0);
        const bool dither = pw::bench::PrintRatio("dithered import / before, one page", cpu("ImportDithered"),
                                                  cpu("ImportToday"), 4.0);
        PrintErrors();
        benchmark::Shutdown();
        return plain && dither ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pagewright-bench-import: %s\n", e.what());
        return 1;
    }
}
