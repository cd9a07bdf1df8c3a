// Memory of a 1,000,000-pushpin map with three short fields: the heap bytes the map
// holds once the document data it was built from is gone, per pushpin.
#include "SyntheticMap.h"
#include "maphost/model/HostMap.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

namespace {

// Bytes handed out by malloc (main arena and mmapped blocks).
double heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

double residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) : 0;
}

template <class Build> void measure(benchmark::State& state, Build build) {
    const int pushpins = int(state.range(0));
    synthetic::SyntheticMapOptions options;
    options.pushpins = pushpins;
    options.dataSets = 8;
    for (auto _ : state) {
        malloc_trim(0);
        const double heapBefore = heapBytes();
        const double rssBefore = residentBytes();
        std::shared_ptr<maphost::HostMap> map = build(options);
        malloc_trim(0);
        state.counters["heap_bytes_per_pushpin"] = (heapBytes() - heapBefore) / pushpins;
        state.counters["rss_bytes_per_pushpin"] = (residentBytes() - rssBefore) / pushpins;
        benchmark::DoNotOptimize(map);
        state.PauseTiming();
        map.reset();
        malloc_trim(0);
        state.ResumeTiming();
    }
}

// As a document is opened: the whole document's data first, then the map from it.
void BM_MapMemoryFromDocument(benchmark::State& state) {
    measure(state, [](const synthetic::SyntheticMapOptions& options) {
        return maphost::HostMap::create(synthetic::makeSyntheticMap(options));
    });
}
BENCHMARK(BM_MapMemoryFromDocument)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

// As datasets are imported one by one.
void BM_MapMemoryByDataSet(benchmark::State& state) {
    measure(state, [](const synthetic::SyntheticMapOptions& options) {
        auto map = maphost::HostMap::create();
        for (int d = 0; d < options.dataSets; ++d)
            map->addDataSet(synthetic::makeSyntheticDataSet(options, d));
        return map;
    });
}
BENCHMARK(BM_MapMemoryByDataSet)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
