// pagewright-bench-save: the cost of File > Save and of File > Save Texture to Bitmap on a 128-page
// kind 6 level. Save1Click (opaque-flag fix-up, animated sets stored, SaveLevel, progress window) against
// SaveLevel alone, and ExporttoImage1Click writing a .bmp against converting every page for display
// (ConvertEveryPage). A table after the run checks both ratios: Save at most 1.15 times SaveLevel, the
// export at most 3 times the conversion.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include <QApplication>

#include "app/main_window.h"
#include "app/startup.h"
#include "bench/bench_level.h"
#include "bench/comparison_reporter.h"
#include "bench/page_conversion.h"
#include "widgets/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPages = 128;
constexpr double kSaveTarget = 1.15;
constexpr double kExportTarget = 3.0;

ScriptedPlatform* platform = nullptr;
QtMessageHandler standard_handler = nullptr;

// The offscreen platform warns about every window it cannot raise; that is not news.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        standard_handler(type, context, message);
}

// A copy of the bench level that the Save command may overwrite, and where the other writes go.
fs::path Scratch(const std::string& name) {
    return pw::bench::GetBenchLevel(kPages).file.parent_path() / name;
}

QString OpenCopy() {
    const fs::path copy = Scratch("saved.tr4");
    fs::copy_file(pw::bench::GetBenchLevel(kPages).file, copy, fs::copy_options::overwrite_existing);
    const QString path = QString::fromStdString(copy.string());
    Form1->OpenLevelFile(path);
    return path;
}

void SaveLevel(benchmark::State& state) {
    pw::Ttrlevel record;
    pw::bench::Require(record.LoadLevel(OpenCopy().toStdString()));
    const std::string target = Scratch("plain.tr4").string();
    for (auto _ : state) {
        if (record.SaveLevel(target) != pw::Status::done)
            state.SkipWithError("SaveLevel failed");
    }
}

void Save1Click(benchmark::State& state) {
    OpenCopy();
    platform->messages.clear();
    for (auto _ : state)
        Form1->Control<TMenuItem>("Save1")->Action()->trigger();
    if (!platform->messages.empty())
        state.SkipWithError(platform->messages.back().text.toStdString().c_str());
}

void ConvertEveryPage(benchmark::State& state) {
    OpenCopy();
    QImage pages;
    for (auto _ : state) {
        pw::bench::ConvertEveryPage(Form1->Document().Level(), pages);
        benchmark::DoNotOptimize(pages.constBits());
    }
}

void ExporttoImage1Click(benchmark::State& state) {
    OpenCopy();
    const QString target = QString::fromStdString(Scratch("pages.bmp").string());
    platform->messages.clear();
    for (auto _ : state) {
        platform->file_answers.push_back(target);
        Form1->Control<TMenuItem>("ExporttoImage1")->Action()->trigger();
    }
    if (!platform->messages.empty())
        state.SkipWithError(platform->messages.back().text.toStdString().c_str());
}

void Register() {
    for (const auto& [name, function] :
         {std::pair{"SaveLevel", &SaveLevel}, std::pair{"Save1Click", &Save1Click},
          std::pair{"ConvertEveryPage", &ConvertEveryPage},
          std::pair{"ExporttoImage1Click", &ExporttoImage1Click}}) {
        benchmark::RegisterBenchmark(name, function)
            ->Arg(kPages)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }
}

// Prints one comparison on CPU time (wall-clock beside it: the machine may be shared); true when met.
bool Compare(const char* what, const pw::bench::ComparisonReporter::Times& measured,
             const pw::bench::ComparisonReporter::Times& baseline, double target) {
    if (measured.cpu <= 0 || baseline.cpu <= 0) {
        std::printf("%-44s  not measured\n", what);
        return false;
    }
    const double ratio = measured.cpu / baseline.cpu;
    const bool met = ratio <= target;
    std::printf("%-44s  %8.2f ms / %8.2f ms = %5.2fx cpu (%5.2fx wall)  (target <= %.2fx)  %s\n", what,
                measured.cpu * 1e3, baseline.cpu * 1e3, ratio, measured.real / baseline.real, target,
                met ? "met" : "MISSED");
    return met;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standard_handler = qInstallMessageHandler(QuietOffscreenWarnings);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    ScriptedPlatform scripted; // no dialog or message box may wait for a user
    platform = &scripted;
    CreateApplicationForms();
    Register();
    pw::bench::ComparisonReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    DestroyApplicationForms();

    std::printf("\n");
    const bool save_met =
        Compare("Save1Click / SaveLevel (128 pages)", reporter.Seconds("Save1Click", kPages),
                reporter.Seconds("SaveLevel", kPages), kSaveTarget);
    const bool export_met = Compare("ExporttoImage1Click .bmp / ConvertEveryPage",
                                    reporter.Seconds("ExporttoImage1Click", kPages),
                                    reporter.Seconds("ConvertEveryPage", kPages), kExportTarget);
    benchmark::Shutdown();
    return save_met && export_met ? 0 : 1;
}
