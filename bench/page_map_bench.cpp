// pagewright-bench-pagemap: the page map's speed. Redrawing the map at 800 % over a page that 2,000
// object textures cover (the part a 1280 x 1024 viewport shows, and the whole page), a hover over
// that page (the cover query and the status text), and opening the map on a level of 4,096 pages.
// Targets: a redraw under 16 ms, a hover under 1 ms. The map keeps one page picture for the depth it
// shows and the page's cover mask, whatever the zoom; their bytes are printed after the run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include <unistd.h>

#include <QPainter>

#include "app/main_window.h"
#include "bench/window_bench_main.h"
#include "level/layout.h"
#include "level/object_textures.h"
#include "level/texture_cover.h"
#include "texture_windows/page_map_window.h"
#include "tools/sample_level.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTextures = 2000;
constexpr int kBigLevelPages = 4096;
constexpr double kRedrawTargetMs = 16;
constexpr double kHoverTargetMs = 1;

fs::path Folder() {
    static const fs::path folder = [] {
        fs::path f = fs::temp_directory_path() / ("pagewright-bench-pagemap-" + std::to_string(::getpid()));
        fs::create_directories(f);
        return f;
    }();
    return folder;
}

// Quads and triangles of 4 to 64 pixels a side spread over page 0, a third of them triangles.
void AddTextures(pw::Ttrlevel& level) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> size(4, 64);
    std::uniform_int_distribution<int> place(0, 255);
    for (int i = 0; i < kTextures; ++i) {
        const int w = size(random);
        const int h = size(random);
        const int x = std::min(place(random), 255 - w);
        const int y = std::min(place(random), 255 - h);
        pw::tobjtexture t = pw::MakeRectangleTexture(level.kind, 0, x, y, x + w, y + h);
        t.attribute = static_cast<std::uint16_t>(i % 3);
        if (i % 3 == 2) {
            t.vertices[3] = {};
            t.three_vertices = true;
        }
        pw::AppendTexture(level, t);
    }
}

QString CoveredLevel() {
    static const QString path = [] {
        pw::Ttrlevel level;
        const fs::path file = Folder() / "covered.tr4";
        pw::art::BuildSampleLevel({file.filename().string(), pw::layout::kVersionTr4, 4, 3}, level);
        level.SetObjectTextureCount(0);
        AddTextures(level);
        if (!level.SaveLevel(file.string()))
            std::abort();
        return QString::fromStdString(file.string());
    }();
    return path;
}

QString BigLevel() {
    static const QString path = [] {
        pw::Ttrlevel level;
        const fs::path file = Folder() / "big.phd";
        pw::art::BuildSampleLevel({file.filename().string(), pw::layout::kVersionTr1, 16, 5}, level);
        while (level.num_pages < kBigLevelPages)
            level.AddPage();
        if (!level.SaveLevel(file.string()))
            std::abort();
        return QString::fromStdString(file.string());
    }();
    return path;
}

void OpenCovered() {
    if (Form1->Document().LevelFileName() != CoveredLevel())
        Form1->OpenLevelFile(CoveredLevel());
    Form1->ShowLevelPage(0);
    PageMap->Show();
    PageMap->SetZoomStep(8);
}

void Redraw(benchmark::State& state) {
    OpenCovered();
    const QSize size = state.range(0) == 0 ? QSize(1280, 1024) : QSize(2048, 2048);
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    // A viewport in the middle of the page, where the textures are densest.
    const QPoint from = state.range(0) == 0 ? QPoint(384, 512) : QPoint(0, 0);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.translate(-from);
        PageMap->View->Paint(painter, QRect(from, size));
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

void Hover(benchmark::State& state) {
    OpenCovered();
    int i = 0;
    for (auto _ : state) {
        const int x = (i * 37) & 255;
        const int y = (i * 91) & 255;
        PageMap->ViewHover(x, y);
        benchmark::DoNotOptimize(PageMap->StatusText());
        ++i;
    }
}

void CoverQuery(benchmark::State& state) {
    OpenCovered();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pw::CoverAt(Form1->Document().Level(), 0, (i * 37) & 255, (i * 91) & 255));
        ++i;
    }
}

// A new map window shown on the open level: its page list, its page picture and cover mask.
void OpenMap(benchmark::State& state) {
    PageMap->Hide();
    Form1->OpenLevelFile(BigLevel());
    if (Form1->Document().Level().num_pages != kBigLevelPages)
        state.SkipWithError("the big level did not open");
    for (auto _ : state) {
        TPageMap map(Form1->Document());
        map.Show();
        benchmark::DoNotOptimize(map.View->Picture().constBits());
    }
}

void Register() {
    benchmark::RegisterBenchmark("Redraw800", Redraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Hover", Hover)->Arg(0)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("CoverQuery", CoverQuery)->Arg(0)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("OpenMap", OpenMap)->Arg(kBigLevelPages)->Unit(benchmark::kMillisecond);
}

bool Within(const char* what, double seconds, double target_ms) {
    if (seconds <= 0) {
        std::printf("%-40s  not measured\n", what);
        return false;
    }
    const double ms = seconds * 1e3;
    std::printf("%-40s %9.3f ms (target < %.0f ms) %s\n", what, ms, target_ms,
                ms < target_ms ? "met" : "MISSED");
    return ms < target_ms;
}

} // namespace

int main(int argc, char** argv) {
    const int result = pw::bench::RunWindowBenchmarks(
        argc, argv, Register, [](const pw::bench::ComparisonReporter& reporter) {
            const bool viewport = Within("redraw at 800 %, 1280 x 1024 shown",
                                         reporter.Seconds("Redraw800", 0).real, kRedrawTargetMs);
            const bool page =
                Within("redraw at 800 %, whole page", reporter.Seconds("Redraw800", 1).real, kRedrawTargetMs);
            const bool hover =
                Within("hover (query and status text)", reporter.Seconds("Hover", 0).real, kHoverTargetMs);
            std::printf("%-40s %9.3f ms\n", "open the map on 4,096 pages",
                        reporter.Seconds("OpenMap", kBigLevelPages).real * 1e3);
            std::printf("%-40s %9d bytes (one 256 x 256 ARGB picture + the cover mask)\n", "map page memory",
                        256 * 256 * 4 + 256 * 256);
            return viewport && page && hover;
        });
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
    return result;
}
