// The file exports of a large map, from the command to the renamed file: the CSV export
// (Tools > Export with Lat/Lon without a spreadsheet application) and the GIS file
// export to a GeoPackage, each of 10 datasets with three short fields.
//
// Targets: the CSV export of 1,000,000 pushpins at least twice as fast as ogr2ogr
// writing the same points from a GeoPackage as CSV; the GeoPackage export no slower
// than ogr2ogr writing them from CSV into a GeoPackage. vs_ogr2ogr.sh runs both sides.
#include "SyntheticMap.h"
#include "addin/ToolWindowOwner.h"
#include "desktop/testing/RecordingDesktop.h"
#include "export/CsvExport.h"
#include "export/GisExport.h"
#include "export/GisFormat.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"
#include "toolwindow/frmAddIn.h"

#include <QComboBox>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int DataSetCount = 10;

struct Owner : locastra::ToolWindowOwner {
    mappoint::ApplicationPtr app;
    void Hide() override {}
    mappoint::ApplicationPtr hostApplication() const override { return app; }
};

synthetic::SyntheticMapOptions mapOptions(int pushpins) {
    synthetic::SyntheticMapOptions options;
    options.pushpins = pushpins;
    options.dataSets = DataSetCount;
    return options;
}

// The running host with the synthetic map and the tool window choosing "All".
struct Setup {
    std::shared_ptr<maphost::HostApplication> host = std::make_shared<maphost::HostApplication>();
    Owner owner;
    std::unique_ptr<toolwindow::frmAddIn> form;

    explicit Setup(int count) {
        desktop::setServices(std::make_shared<desktop::RecordingDesktop>()); // no editor
        maphost::HostApplication::registerRunning(host);
        auto map = host->newMap();
        for (int i = 0; i < DataSetCount; ++i)
            map->addDataSet(synthetic::makeSyntheticDataSet(mapOptions(count), i));
        owner.app = host;
        form = std::make_unique<toolwindow::frmAddIn>();
        form->Connect = &owner;
        form->g_oApp = host;
        form->Load();
        form->show();
        form->ImageCombo1->setEditText(QStringLiteral("All"));
    }
};

// Times one export of the map to a file of that name in a scratch folder.
template <class Export>
void timeExport(benchmark::State& state, const QString& fileName, Export&& exportTo) {
    const Setup setup(int(state.range(0)));
    QTemporaryDir dir;
    const QString file = dir.filePath(fileName);
    for (auto _ : state)
        exportTo(*setup.form, file);
    state.counters["MB"] = double(QFileInfo(file).size()) / 1e6;
    if (QFileInfo(file).size() == 0)
        state.SkipWithError("nothing was written");
}

void BM_CsvExport(benchmark::State& state) {
    timeExport(state, QStringLiteral("export.csv"), exporting::exportbydataset2csv);
}

void BM_GisExport(benchmark::State& state) {
    timeExport(state, QStringLiteral("export.gpkg"),
               [](toolwindow::frmAddIn& form, const QString& file) {
                   exporting::exportByDataset2Gis(form, file, exporting::GisFormats().front());
               });
}

BENCHMARK(BM_CsvExport)
    ->Arg(1'000'000)
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_GisExport)
    ->Arg(1'000'000)
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace
