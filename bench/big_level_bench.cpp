// pagewright-bench-big-level [PAGES] [tr1|tr4]: what a big level costs the main window. A child process
// draws a sample level of PAGES pages (default 4095, kind 1; `tr4` for kind 6) and one of 7 pages.
// - Memory: the rise of the resident set while the main window opens the big level (OpenLevelFile)
//   against the peak resident set of `pagewright-cli info` on it (target: at most 64 MB more).
// - Add page: the CPU time of Pages > Add new empty page (AddNewPage1Click) on the big level against
//   the 7-page one, the median of 15 adds each taken back by Undo between them (target: at most twice).
// The first add on a level just opened is printed apart, with the rise of the peak resident set it
// causes (target: at most two pages of each depth).
// Exit code 0 when the targets are met.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>

#include "app/main_window.h"
#include "app/startup.h"
#include "bench/peak_memory.h"
#include "level/layout.h"
#include "level/page_access.h"
#include "widgets/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

constexpr double kMemoryTargetMb = 64.0;
constexpr double kAddTarget = 2.0;
constexpr int kAdds = 15;

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The peak resident set of `pagewright-cli info FILE`, in bytes; 0 when it did not run.
std::size_t CliInfoPeak(const fs::path& cli, const fs::path& file) {
    const pid_t child = fork();
    if (child == 0) {
        if (!freopen("/dev/null", "w", stdout))
            std::_Exit(127);
        execl(cli.c_str(), cli.c_str(), "info", file.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child <= 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return 0;
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

struct AddCosts {
    double first = 0;           // the first add after opening
    double median = 0;          // of the adds after it
    std::size_t first_peak = 0; // the rise of the resident set's peak over the first add
};

AddCosts TimeAddPage(ScriptedPlatform& platform, const QString& file) {
    Form1->OpenLevelFile(file);
    AddCosts costs;
    std::vector<double> seconds;
    for (int i = 0; i <= kAdds; ++i) {
        // Past the engine's page limit the add asks first; the answer is yes.
        platform.answers.assign(1, QMessageBox::Yes);
        const int pages = Form1->Document().Level().num_pages;
        pw::bench::ResetPeak();
        const std::size_t resident = pw::bench::StatusBytes("VmRSS");
        const double start = CpuSeconds();
        Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger();
        const double spent = CpuSeconds() - start;
        if (i == 0)
            costs.first_peak = pw::bench::StatusBytes("VmHWM") - resident;
        if (Form1->Document().Level().num_pages != pages + 1) {
            std::fprintf(stderr, "pagewright-bench-big-level: no page was added to %d pages\n", pages);
            std::exit(2);
        }
        Form1->Document().Undo();
        if (i == 0)
            costs.first = spent;
        else
            seconds.push_back(spent);
    }
    std::sort(seconds.begin(), seconds.end());
    costs.median = seconds[seconds.size() / 2];
    return costs;
}

} // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::atoi(argv[1]) : static_cast<int>(pw::layout::kMaxPages) - 1;
    const bool kind6 = argc > 2 && std::string(argv[2]) == "tr4";
    const std::uint32_t version = kind6 ? pw::layout::kVersionTr4 : pw::layout::kVersionTr1;
    const std::string extension = kind6 ? ".tr4" : ".phd";
    const fs::path folder = fs::temp_directory_path();
    const std::string stem = "pagewright-big-" + std::to_string(getpid());
    const fs::path big = folder / (stem + extension);
    const fs::path small = folder / (stem + "-7" + extension);
    const fs::path cli =
        fs::canonical("/proc/self/exe").parent_path().parent_path() / "cli" / "pagewright-cli";
    if (pages <= 7 || !pw::bench::SaveInChild(big, version, pages) ||
        !pw::bench::SaveInChild(small, version, 7)) {
        std::fprintf(stderr, "pagewright-bench-big-level: cannot make the levels\n");
        return 2;
    }
    const std::size_t cli_peak = CliInfoPeak(cli, big);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    CreateApplicationForms();
    const std::size_t before = pw::bench::StatusBytes("VmRSS");
    Form1->OpenLevelFile(QString::fromStdString(big.string()));
    const std::size_t opened = pw::bench::StatusBytes("VmRSS") - before;
    const bool open = Form1->Document().HasLevel();
    const AddCosts at_big = TimeAddPage(platform, QString::fromStdString(big.string()));
    const AddCosts at_small = TimeAddPage(platform, QString::fromStdString(small.string()));
    DestroyApplicationForms();
    fs::remove(big);
    fs::remove(small);
    if (!open || cli_peak == 0) {
        std::fprintf(stderr, "pagewright-bench-big-level: the level did not open (cli peak %zu)\n", cli_peak);
        return 2;
    }

    const double excess_mb = (static_cast<double>(opened) - static_cast<double>(cli_peak)) / 1e6;
    const double ratio = at_big.median / std::max(at_small.median, 1e-9);
    const bool memory_met = excess_mb <= kMemoryTargetMb;
    const bool add_met = ratio <= kAddTarget;
    // The first add may raise the peak by two pages of each depth the kind carries.
    std::size_t two_pages = 0;
    for (const pw::PageDepth depth : {pw::PageDepth::bits8, pw::PageDepth::bits16, pw::PageDepth::bits32})
        if (pw::CarriesDepth(kind6 ? pw::kind_tr4 : pw::kind_tr1, depth))
            two_pages += 2 * pw::PageBytes(depth);
    const bool peak_met = at_big.first_peak <= two_pages;
    std::printf("kind %d, %d pages: GUI rise after opening %.1f MB, CLI info peak %.1f MB, excess %.1f MB "
                "(target <= %.0f): %s\n",
                kind6 ? 6 : 1, pages, opened / 1e6, cli_peak / 1e6, excess_mb, kMemoryTargetMb,
                memory_met ? "met" : "MISSED");
    std::printf("add page: %.5f s CPU at %d pages, %.5f s at 7, ratio %.2f (target <= %.1f): %s\n",
                at_big.median, pages, at_small.median, ratio, kAddTarget, add_met ? "met" : "MISSED");
    std::printf("first add after opening: %.5f s at %d pages, %.5f s at 7; peak rise %.3f MB at %d pages "
                "(target <= %.3f MB): %s, %.3f MB at 7\n",
                at_big.first, pages, at_small.first, at_big.first_peak / 1e6, pages, two_pages / 1e6,
                peak_met ? "met" : "MISSED", at_small.first_peak / 1e6);
    return memory_met && add_met && peak_met ? 0 : 1;
}
