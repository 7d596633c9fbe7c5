#include "bench/comparison_reporter.h"

#include <cstdio>

namespace pw::bench {

void ComparisonReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred || run.iterations == 0)
            continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (median || single)
            seconds_[run.run_name.function_name + "/" + run.run_name.args] = {
                run.real_accumulated_time / static_cast<double>(run.iterations),
                run.cpu_accumulated_time / static_cast<double>(run.iterations)};
    }
    ConsoleReporter::ReportRuns(runs);
}

ComparisonReporter::Times ComparisonReporter::Seconds(const std::string& name, int arg) const {
    const auto it = seconds_.find(name + "/" + std::to_string(arg));
    return it == seconds_.end() ? Times{} : it->second;
}

bool PrintRatio(const char* what, double seconds, double baseline_seconds, double target) {
    if (seconds <= 0 || baseline_seconds <= 0) {
        std::printf("%-48s  not measured\n", what);
        return false;
    }
    const double ratio = seconds / baseline_seconds;
    const bool met = ratio <= target;
    std::printf("%-48s  %9.3f ms / %9.3f ms = %5.2fx  (target <= %.1fx)  %s\n", what, seconds * 1e3,
                baseline_seconds * 1e3, ratio, target, met ? "met" : "MISSED");
    return met;
}

} // namespace pw::bench
