// Google Benchmark entry point inside an initialised QgsApplication.
#include "QgisRuntime.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    const qgistest::QgisRuntime qgis(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
