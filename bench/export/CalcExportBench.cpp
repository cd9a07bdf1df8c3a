// The spreadsheet export into LibreOffice Calc, from the command to the last row in
// Calc, Calc's start-up included (as in the peer: LibreOffice's own import of the same
// rows as CSV, measured by vs_calc_import.sh).
//
// Targets: 100,000 pushpins (10 datasets, 3 fields) no slower than the peer; 1,000,000
// within 1.5x of it, the host growing by less than 100 MB during the export.
#include "SyntheticMap.h"
#include "addin/ToolWindowOwner.h"
#include "export/SpreadsheetExport.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"
#include "spreadsheet/calc/Calc.h"
#include "spreadsheet/calc/Office.h"
#include "toolwindow/frmAddIn.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <csignal>
#include <fstream>
#include <string>

namespace {

struct Owner : locastra::ToolWindowOwner {
    mappoint::ApplicationPtr app;
    void Hide() override {}
    mappoint::ApplicationPtr hostApplication() const override { return app; }
};

// Resident memory of this process, in bytes.
double residentBytes() {
    std::ifstream status("/proc/self/statm");
    long pages = 0, resident = 0;
    status >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

void endCalc() {
    auto& office = spreadsheet::calc::Office::instance();
    const pid_t group = office.processGroup();
    if (group <= 0)
        return;
    ::kill(-group, SIGKILL);
    while (::kill(-group, 0) == 0)
        QThread::msleep(20);
    office.disconnect();
}

void BM_ExportToCalc(benchmark::State& state) {
    QTemporaryDir profile;
    spreadsheet::calc::Options options;
    options.profileDir = profile.path();
    options.headless = true;
    spreadsheet::calc::Register(options);

    auto host = std::make_shared<maphost::HostApplication>();
    maphost::HostApplication::registerRunning(host);
    auto map = host->newMap();
    synthetic::SyntheticMapOptions synthetic;
    synthetic.pushpins = int(state.range(0));
    synthetic.dataSets = 10;
    for (int i = 0; i < synthetic.dataSets; ++i)
        map->addDataSet(synthetic::makeSyntheticDataSet(synthetic, i));
    Owner owner;
    owner.app = host;
    toolwindow::frmAddIn form;
    form.Connect = &owner;
    form.g_oApp = host;
    form.Load();
    form.show();
    form.ImageCombo1->setEditText(QStringLiteral("All"));

    double growth = 0;
    for (auto _ : state) {
        const double before = residentBytes();
        exportByDataset2Excel(form);
        growth = std::max(growth, residentBytes() - before);
        state.PauseTiming();
        endCalc(); // the next round starts Calc again, as the peer does
        state.ResumeTiming();
    }
    state.counters["host_growth_MB"] = growth / 1e6;
    state.counters["rows_per_s"] = benchmark::Counter(double(state.range(0)) * state.iterations(),
                                                      benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_ExportToCalc)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
