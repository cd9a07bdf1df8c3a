// Google Benchmark entry point inside an initialised QgsApplication (offscreen unless
// the caller chose a platform).
#include "QgisCleanup.h"

#include <benchmark/benchmark.h>
#include <qgsapplication.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QgsApplication app(argc, argv, false);
    QgsApplication::setPrefixPath(QStringLiteral("/usr"), true);
    QgsApplication::initQgis();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    qgistest::runAtExit();
    QgsApplication::exitQgis();
    return 0;
}
