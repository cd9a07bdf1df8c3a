// Saving and reopening a map document of 1,000,000 pushpins with three short fields.
// Compare with bench/maphost_document/ogr2ogr_points.sh, which times GDAL's own ogr2ogr
// writing the same number of points from CSV.
#include "SyntheticMap.h"
#include "maphost/document/MapDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace maphost;

namespace {

// Three short fields (text, integer, real), names with repeats, spread over the globe.
MapData syntheticMap(int pushpins) {
    MapData map;
    DataSetData set;
    set.name = QStringLiteral("Synthetic");
    set.fields = {{QStringLiteral("Code"), QMetaType::QString},
                  {QStringLiteral("Count"), QMetaType::LongLong},
                  {QStringLiteral("Score"), QMetaType::Double}};
    set.pushpins.reserve(size_t(pushpins));
    for (int i = 0; i < pushpins; ++i) {
        PushpinData p;
        p.name = QStringLiteral("Pin %1").arg(i % 50000);
        p.latitude = -80.0 + (i % 1601) * 0.1;
        p.longitude = -179.0 + (i % 3581) * 0.1;
        p.symbol = i % 256;
        p.values = {QStringLiteral("C%1").arg(i % 997), qlonglong(i), i * 0.25};
        set.pushpins.push_back(std::move(p));
    }
    map.dataSets.push_back(std::move(set));
    return map;
}

void BM_SaveThenOpen(benchmark::State& state) {
    const MapData map = syntheticMap(int(state.range(0)));
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-doc-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("map.gpkg"));
    for (auto _ : state) {
        MapDocument::save(map, path);
        const MapData back = MapDocument::open(path);
        benchmark::DoNotOptimize(back.dataSets.data());
        if (back.dataSets[0].pushpins.size() != map.dataSets[0].pushpins.size())
            state.SkipWithError("pushpins lost");
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveThenOpen)->Arg(1'000'000)->Unit(benchmark::kSecond)->Iterations(2);

// The same on the shared synthetic map: four datasets, mixed-case names with repeats.
void BM_SaveThenOpenSyntheticMap(benchmark::State& state) {
    synthetic::SyntheticMapOptions options;
    options.pushpins = int(state.range(0));
    const MapData map = synthetic::makeSyntheticMap(options);
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-doc-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("map.gpkg"));
    for (auto _ : state) {
        MapDocument::save(map, path);
        const MapData back = MapDocument::open(path);
        benchmark::DoNotOptimize(back.dataSets.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveThenOpenSyntheticMap)->Arg(1'000'000)->Unit(benchmark::kSecond)->Iterations(2);

void BM_Save(benchmark::State& state) {
    const MapData map = syntheticMap(int(state.range(0)));
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-doc-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("map.gpkg"));
    for (auto _ : state)
        MapDocument::save(map, path);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Save)->Arg(1'000'000)->Unit(benchmark::kSecond)->Iterations(2);

void BM_Open(benchmark::State& state) {
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-doc-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("map.gpkg"));
    MapDocument::save(syntheticMap(int(state.range(0))), path);
    for (auto _ : state) {
        const MapData back = MapDocument::open(path);
        benchmark::DoNotOptimize(back.dataSets.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Open)->Arg(1'000'000)->Unit(benchmark::kSecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
