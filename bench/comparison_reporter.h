// A console reporter that also keeps the median times of every benchmark, so that the program can
// compare our level I/O with zlib on the same blocks after the run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace pw::bench {

class ComparisonReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    struct Times {
        double real = 0.0; // wall-clock seconds per iteration
        double cpu = 0.0;  // CPU seconds of the benchmark thread per iteration
    };
    // The median of the repetitions of "Name/arg"; zeros when it did not run.
    Times Seconds(const std::string& name, int arg) const;

private:
    std::map<std::string, Times> seconds_;
};

// Prints "what  a / b = ratio (target)" in milliseconds; true when the ratio is within the target.
bool PrintRatio(const char* what, double seconds, double baseline_seconds, double target);

} // namespace pw::bench
