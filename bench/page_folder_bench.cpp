// The pages as one .png each: export-pages against the stacked export, and import-pages of an
// unedited folder (and of one with one page painted) against a plain resave, on 128-page levels of
// kinds 6 and 3.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <QDir>
#include <QImage>

#include "bench/bench_level.h"
#include "level/animated_sets.h"
#include "level/page_access.h"
#include "level/save_preparation.h"
#include "pictures/page_folder.h"
#include "pictures/picture_bridge.h"
#include "pictures/picture_export.h"
#include "pictures/plain_png.h"

namespace {

namespace fs = std::filesystem;
constexpr int kPages = 128;

// A kind 3 level of 128 pages: the sample's pages repeated.
const fs::path& Kind3Level() {
    static const fs::path path = [] {
        pw::Ttrlevel level;
        pw::bench::Require(level.LoadLevel(PW_SAMPLES_DIR "/sample_tr2.tr2"));
        const int own = level.num_pages;
        while (level.num_pages < kPages && level.AddPage()) {
            const int page = level.num_pages - 1;
            for (const auto depth : {pw::PageDepth::bits8, pw::PageDepth::bits16}) {
                const auto from = pw::PageSpan(level, depth, page % own);
                const pw::Bytes copy(from.begin(), from.end());
                std::ranges::copy(copy, pw::PageSpan(level, depth, page).begin());
            }
        }
        const fs::path out = fs::temp_directory_path() / "pw-bench-pages-kind3.tr2";
        pw::bench::Require(level.SaveLevel(out.string()));
        return out;
    }();
    return path;
}

const fs::path& LevelOfKind(int kind) {
    return kind == 6 ? pw::bench::GetBenchLevel(kPages).file : Kind3Level();
}

fs::path Scratch(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("pw-bench-pages-" + name);
    fs::create_directories(dir);
    return dir;
}

pw::Ttrlevel Load(const fs::path& file) {
    pw::Ttrlevel level;
    pw::bench::Require(level.LoadLevel(file.string()));
    return level;
}

void ImportFolder(const fs::path& file, const fs::path& folder, const fs::path& out) {
    pw::Ttrlevel level = Load(file);
    const auto listing = ListPageFolder(QString::fromStdString(folder.string()),
                                        QString::fromStdString(file.string()), level.num_pages);
    pw::bench::Require(ImportPageFolder(level, listing, DirectSteps(level, false)).result);
    pw::bench::Require(pw::SaveLevelAsEdited(level, pw::ParseAnimatedSets(level.anim_words), out.string()));
}

void BM_ExportStacked(benchmark::State& state) {
    const pw::Ttrlevel level = Load(LevelOfKind(static_cast<int>(state.range(0))));
    const fs::path out = Scratch("stacked") / "all.png";
    for (auto _ : state)
        pw::bench::Require(WritePictureExport(level, out.string(), ExportDepth::shown24));
}

void BM_ExportPages(benchmark::State& state) {
    const fs::path& file = LevelOfKind(static_cast<int>(state.range(0)));
    const pw::Ttrlevel level = Load(file);
    const fs::path folder = Scratch("export");
    for (auto _ : state)
        pw::bench::Require(WritePageFolder(level, QString::fromStdString(file.string()),
                                           QString::fromStdString(folder.string()),
                                           pw::PagePictureDepth::shown));
}

void BM_Resave(benchmark::State& state) {
    const fs::path& file = LevelOfKind(static_cast<int>(state.range(0)));
    const fs::path out = Scratch("resave") / ("out" + file.extension().string());
    for (auto _ : state)
        pw::bench::Require(Load(file).SaveLevel(out.string()));
}

void ImportBench(benchmark::State& state, bool one_changed) {
    const fs::path& file = LevelOfKind(static_cast<int>(state.range(0)));
    const fs::path folder = Scratch(one_changed ? "import-one" : "import");
    const QString qfile = QString::fromStdString(file.string());
    pw::bench::Require(WritePageFolder(Load(file), qfile, QString::fromStdString(folder.string()),
                                       pw::PagePictureDepth::shown));
    if (one_changed) {
        const QString page =
            QDir(QString::fromStdString(folder.string())).filePath(PagePictureName(qfile, 7));
        QImage picture(page);
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, 10, qRgba(255, x * 4, 0, 255));
        picture.save(page);
    }
    const fs::path out = folder / ("out" + file.extension().string());
    for (auto _ : state)
        ImportFolder(file, folder, out);
}

// The exported folder's pictures read one after another, as import-pages reads them: through the fast
// path for plain 256 x 256 files (range 1) or through the general reader, with (range 0) or without
// (range 2) the picture turned into the colours a page takes.
void BM_ReadPageFolder(benchmark::State& state) {
    const fs::path& file = LevelOfKind(6);
    const QString folder = QString::fromStdString(Scratch("read").string());
    const QString qfile = QString::fromStdString(file.string());
    pw::bench::Require(WritePageFolder(Load(file), qfile, folder, pw::PagePictureDepth::shown));
    const bool fast = state.range(0) == 1;
    const bool colours = state.range(0) == 0;
    const auto whole_page = [](QSize size) { return size == QSize(256, 256); };
    for (auto _ : state) {
        for (int page = 0; page < kPages; ++page) {
            const QString path = QDir(folder).filePath(PagePictureName(qfile, page));
            if (fast) {
                benchmark::DoNotOptimize(ReadPlainPng(path, 256, 256));
            } else {
                const PictureReading reading = ReadPictureFile(path, whole_page);
                if (colours)
                    benchmark::DoNotOptimize(PictureColours(reading.image, 0, 0, 256, true));
                benchmark::DoNotOptimize(reading.image.constBits());
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * kPages);
}

void BM_ImportPagesUnchanged(benchmark::State& state) {
    ImportBench(state, false);
}
void BM_ImportPagesOneChanged(benchmark::State& state) {
    ImportBench(state, true);
}

} // namespace

BENCHMARK(BM_ExportStacked)->Arg(6)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPages)->Arg(6)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resave)->Arg(6)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPageFolder)->Arg(1)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPagesUnchanged)->Arg(6)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPagesOneChanged)->Arg(6)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
