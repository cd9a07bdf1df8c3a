// Google Benchmark entry point with a QApplication (offscreen unless the caller
// chose a platform), for benchmarks of widgets, the view and the windows.
#include "QtBenchmarkMain.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <vector>

namespace benchsupport {

namespace {
std::vector<std::function<void()>>& cleanups() {
    static std::vector<std::function<void()>> list;
    return list;
}
} // namespace

void atApplicationExit(std::function<void()> cleanup) {
    cleanups().push_back(std::move(cleanup));
}

} // namespace benchsupport

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    auto& cleanups = benchsupport::cleanups();
    while (!cleanups.empty()) {
        const std::function<void()> cleanup = std::move(cleanups.back());
        cleanups.pop_back();
        cleanup();
    }
    return 0;
}
