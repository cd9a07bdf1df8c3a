// The spreadsheet export into LibreOffice Calc, from the command to the last row in
// Calc, Calc's start-up included; and its peer, Calc's own import of the same rows
// from a CSV file into a new unsaved document (loadComponentFromURL with the CSV
// filter, Calc's start-up included, nothing saved). vs_calc_import.sh runs the two
// interleaved.
//
// Targets: at 100,000 and 1,000,000 pushpins (10 datasets, 3 fields) the export no
// slower than the peer, the host growing by less than 100 MB during the export.
#include "SyntheticMap.h"
#include "addin/ToolWindowOwner.h"
#include "export/SpreadsheetExport.h"
#include "geo/PositionCalculator.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/Recordset.h"
#include "spreadsheet/calc/Calc.h"
#include "spreadsheet/calc/Office.h"
#include "spreadsheet/calc/OfficeProcess.h"
#include "spreadsheet/calc/UnoSupport.h"
#include "toolwindow/frmAddIn.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>

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

// Processor time used so far by the processes of a group (Calc's), in seconds.
double groupSeconds(pid_t group) {
    double ticks = 0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // After the command in parentheses: state, ppid, pgrp, ... utime (12th), stime.
        const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
        if (fields.size() > 12 && fields[2].toInt() == group)
            ticks += fields[11].toDouble() + fields[12].toDouble();
    }
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// Ends a Calc; returns the processor time it used.
double endCalc(pid_t group) {
    if (group <= 0)
        return 0;
    const double used = groupSeconds(group);
    ::kill(-group, SIGKILL);
    while (::kill(-group, 0) == 0)
        QThread::msleep(20);
    return used;
}

std::shared_ptr<maphost::HostApplication> syntheticHost(int pushpins) {
    auto host = std::make_shared<maphost::HostApplication>();
    maphost::HostApplication::registerRunning(host);
    auto map = host->newMap();
    synthetic::SyntheticMapOptions synthetic;
    synthetic.pushpins = pushpins;
    synthetic.dataSets = 10;
    for (int i = 0; i < synthetic.dataSets; ++i)
        map->addDataSet(synthetic::makeSyntheticDataSet(synthetic, i));
    return host;
}

// Calc's profile: LOCASTRA_BENCH_PROFILE when set (a profile kept from run to run, as a
// user has one), otherwise a new one in fallback.
QString profileFolder(const QTemporaryDir& fallback) {
    const QString kept = qEnvironmentVariable("LOCASTRA_BENCH_PROFILE");
    return kept.isEmpty() ? fallback.filePath(QStringLiteral("profile")) : kept;
}

void BM_ExportToCalc(benchmark::State& state) {
    QTemporaryDir profile;
    spreadsheet::calc::Options options;
    options.profileDir = profileFolder(profile);
    options.headless = true;
    spreadsheet::calc::Register(options);

    auto host = syntheticHost(int(state.range(0)));
    Owner owner;
    owner.app = host;
    toolwindow::frmAddIn form;
    form.Connect = &owner;
    form.g_oApp = host;
    form.Load();
    form.show();
    form.ImageCombo1->setEditText(QStringLiteral("All"));

    double growth = 0;
    double calcSeconds = 0;
    for (auto _ : state) {
        const double before = residentBytes();
        exportByDataset2Excel(form);
        growth = std::max(growth, residentBytes() - before);
        state.PauseTiming();
        // The next round starts Calc again, as the peer does.
        calcSeconds += endCalc(spreadsheet::calc::Office::instance().processGroup());
        spreadsheet::calc::Office::instance().disconnect();
        state.ResumeTiming();
    }
    state.counters["host_growth_MB"] = growth / 1e6;
    state.counters["calc_cpu_s"] = calcSeconds / double(state.iterations());
    state.counters["rows_per_s"] = benchmark::Counter(double(state.range(0)) * state.iterations(),
                                                      benchmark::Counter::kIsRate);
}

// The rows the export writes, as one CSV file: per dataset its header row and one row
// per record (field values, an empty column, latitude, longitude).
void writeRowsAsCsv(const mappoint::MapPtr& map, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the CSV file");
    QByteArray text;
    const auto sets = map->DataSets();
    for (int32_t i = 1; i <= sets->Count(); ++i) {
        const auto set = sets->Item(i);
        const auto fields = set->Fields();
        for (int32_t f = 1; f <= fields->Count(); ++f)
            text += fields->Item(f)->Name().toUtf8() + ',';
        text += ",Latitude,Longitude\n";
        const auto records = set->QueryAllRecords();
        for (records->MoveFirst(); !records->Eof(); records->MoveNext()) {
            const auto values = records->Fields();
            for (int32_t f = 1; f <= values->Count(); ++f)
                text += values->Item(f)->Value().toString().toUtf8() + ',';
            double latitude = 0, longitude = 0;
            geo::CalcLatLon(map, records->Location(), latitude, longitude);
            text += ',' + QByteArray::number(latitude, 'g', 17) + ',' +
                    QByteArray::number(longitude, 'g', 17) + '\n';
            if (text.size() > (1 << 20)) {
                file.write(text);
                text.clear();
            }
        }
    }
    file.write(text);
}

// Calc's own import: start Calc, connect, load the CSV file into a new hidden
// document. Returns Calc's process group.
pid_t importCsv(const QString& profileDir, const QString& csv) {
    using namespace css;
    spreadsheet::calc::Options options;
    options.profileDir = profileDir;
    options.headless = true;
    const QString pipe = QStringLiteral("locastra_bench_%1").arg(::getpid());
    const pid_t group = spreadsheet::calc::StartOffice(options, pipe);
    ::setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" LOCASTRA_LO_PROGRAM "/fundamentalrc", 0);
    static const auto local = cppu::defaultBootstrap_InitialComponentContext();
    uno::Reference<uno::XComponentContext> remote;
    while (!remote.is()) {
        try {
            const auto connection = connection::Connector::create(local)->connect(
                spreadsheet::calc::toOUString(QStringLiteral("pipe,name=") + pipe));
            const auto bridge =
                bridge::BridgeFactory::create(local)->createBridge("", "urp", connection, {});
            remote.set(bridge->getInstance("StarOffice.ComponentContext"), uno::UNO_QUERY_THROW);
        } catch (const uno::Exception&) {
            QThread::msleep(10); // as often as the export looks for its Calc
        }
    }
    const uno::Reference<frame::XComponentLoader> loader(frame::Desktop::create(remote),
                                                         uno::UNO_QUERY_THROW);
    uno::Sequence<beans::PropertyValue> arguments(3);
    auto* argument = arguments.getArray();
    argument[0].Name = "FilterName";
    argument[0].Value <<= rtl::OUString("Text - txt - csv (StarCalc)");
    argument[1].Name = "FilterOptions";
    argument[1].Value <<= rtl::OUString("44,34,76,1");
    argument[2].Name = "Hidden";
    argument[2].Value <<= true;
    const auto document = loader->loadComponentFromURL(
        spreadsheet::calc::toOUString(QUrl::fromLocalFile(csv).toString()), "_blank", 0, arguments);
    if (!document.is())
        throw std::runtime_error("Calc did not import the CSV file");
    return group;
}

void BM_CalcCsvImport(benchmark::State& state) {
    auto host = syntheticHost(int(state.range(0)));
    QTemporaryDir work;
    const QString csv = work.filePath(QStringLiteral("rows.csv"));
    writeRowsAsCsv(host->ActiveMap(), csv);
    double calcSeconds = 0;
    for (auto _ : state) {
        const pid_t group = importCsv(profileFolder(work), csv);
        state.PauseTiming();
        calcSeconds += endCalc(group);
        state.ResumeTiming();
    }
    state.counters["calc_cpu_s"] = calcSeconds / double(state.iterations());
}

} // namespace

// Both at 100,000 and 1,000,000 pushpins, one round a run (vs_calc_import.sh repeats).
void pushpinCounts(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(100'000)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
}

BENCHMARK(BM_ExportToCalc)->Apply(pushpinCounts);
BENCHMARK(BM_CalcCsvImport)->Apply(pushpinCounts);
