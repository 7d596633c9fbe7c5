// The main() of the benchmarks that drive the program's windows: an offscreen application with the
// windows created as at start-up and scripted desktop services, so no dialog waits for a user.
#pragma once

#include <functional>

#include "bench/comparison_reporter.h"

namespace pw::bench {

// Runs the benchmarks that `register_all` registers, then `compare` on their times; the exit code
// is 0 when `compare` says every target was met.
int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& register_all,
                        const std::function<bool(const ComparisonReporter&)>& compare);

} // namespace pw::bench
