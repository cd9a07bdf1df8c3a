// Start-up to a drawn demo map: the whole maphost program, from exec to the written
// screenshot of its first frame, in a fresh per-user folder (first run, the demo map
// document is built) and in a used one (the document is opened).
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

bool runHost(const QTemporaryDir& dir) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MAPHOST_PATH), {"--screenshot", dir.filePath("shot.png")});
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

void BM_StartupFirstRun(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        state.ResumeTiming();
        if (!runHost(dir))
            state.SkipWithError("maphost failed");
    }
}
BENCHMARK(BM_StartupFirstRun)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StartupDemoMap(benchmark::State& state) {
    QTemporaryDir dir;
    runHost(dir); // first run writes the demo document
    for (auto _ : state) {
        if (!runHost(dir))
            state.SkipWithError("maphost failed");
    }
}
BENCHMARK(BM_StartupDemoMap)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
