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

void BM_MapMemory(benchmark::State& state) {
    const int pushpins = int(state.range(0));
    synthetic::SyntheticMapOptions options;
    options.pushpins = pushpins;
    options.dataSets = 8;
    for (auto _ : state) {
        const double heapBefore = heapBytes();
        const double rssBefore = residentBytes();
        std::shared_ptr<maphost::HostMap> map;
        {
            const maphost::MapData data = synthetic::makeSyntheticMap(options);
            map = maphost::HostMap::create(data);
        }
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
BENCHMARK(BM_MapMemory)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
