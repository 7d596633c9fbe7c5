// pagewright-bench-history: the edit history on a 128-page kind 6 level, without windows.
// - Undo and redo of a tile copy, each at most 1.5 times the tile copy itself.
// - Undo and redo of a page copy, each at most 1.5 times the page copy.
// - The history's memory after 1,000 tile copies: at most 1.1 times the bytes they changed + 1 MB.
// An undo and a redo swap the same bytes, so a pair is timed and each costs half of it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include "bench/bench_level.h"
#include "document/level_document.h"

namespace {

constexpr int kPages = 128;

// The benchmark cannot run without its level and source.
void Require(const pw::Result& result) {
    if (!result) {
        std::fprintf(stderr, "%s\n", result.reason.c_str());
        std::exit(1);
    }
}

LevelDocument& Document() {
    static LevelDocument* doc = [] {
        auto* d = new LevelDocument;
        Require(d->Open(QString::fromStdString(pw::bench::GetBenchLevel(kPages).file.string()), nullptr));
        QImage picture(256, 256, QImage::Format_RGB888);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                picture.setPixel(x, y, qRgb(x, y, (x ^ y) & 255));
        const QString source = QDir::tempPath() + QStringLiteral("/pagewright-bench-source.png");
        picture.save(source);
        Require(d->OpenSource(source, nullptr));
        return d;
    }();
    return *doc;
}

void Copy(benchmark::State& state, bool page) {
    LevelDocument& doc = Document();
    int i = 0;
    for (auto _ : state) {
        if (page)
            doc.CopyPage(i % kPages, 0);
        else
            doc.CopyTile(i % kPages, 0, 64, 64);
        if (++i % 256 == 0) {
            state.PauseTiming();
            doc.ClearHistory();
            state.ResumeTiming();
        }
    }
    doc.ClearHistory();
}

void UndoRedo(benchmark::State& state, bool page) {
    LevelDocument& doc = Document();
    if (page)
        doc.CopyPage(3, 0);
    else
        doc.CopyTile(3, 0, 64, 64);
    for (auto _ : state) {
        doc.Undo();
        doc.Redo();
    }
    doc.ClearHistory();
}

void TileCopy(benchmark::State& state) {
    Copy(state, false);
}
void TileUndoRedoPair(benchmark::State& state) {
    UndoRedo(state, false);
}
void PageCopy(benchmark::State& state) {
    Copy(state, true);
}
void PageUndoRedoPair(benchmark::State& state) {
    UndoRedo(state, true);
}

BENCHMARK(TileCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(TileUndoRedoPair)->Unit(benchmark::kMicrosecond);
BENCHMARK(PageCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(PageUndoRedoPair)->Unit(benchmark::kMicrosecond);

void ReportHistoryMemory() {
    LevelDocument& doc = Document();
    doc.ClearHistory();
    for (int i = 0; i < 1000; ++i) {
        doc.SetSelectedTile({i % 4 * 64, i / 4 % 4 * 64, i % 4 * 64 + 64, i / 4 % 4 * 64 + 64});
        doc.CopyTile(i % kPages, 0, i % 256, 0);
    }
    const double changed = 1000.0 * 64 * 64 * (2 + 4); // 16-bit and 32-bit bytes of each tile
    const double held = static_cast<double>(doc.HistoryBytes());
    std::printf("history after 1000 tile copies: %.0f bytes held, %.0f bytes changed, %.3f x + %.0f\n", held,
                changed, held / changed, held - changed);
    doc.ClearHistory();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    ReportHistoryMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
