#include "bench/window_bench_main.h"

#include <cstdio>

#include <QApplication>

#include "app/startup.h"
#include "widgets/scripted_platform.h"

namespace pw::bench {

int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& register_all,
                        const std::function<bool(const ComparisonReporter&)>& compare) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    ScriptedPlatform platform;
    CreateApplicationForms();
    register_all();
    ComparisonReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    DestroyApplicationForms();
    std::printf("\n");
    const bool met = compare(reporter);
    benchmark::Shutdown();
    return met ? 0 : 1;
}

} // namespace pw::bench
