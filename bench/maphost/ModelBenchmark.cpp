// Speed of the host model on a 1,000,000-pushpin synthetic map: FindPushpin, a full
// QueryAllRecords walk reading each pushpin's Name, Distance and GetLocation.
#include "SyntheticMap.h"
#include "maphost/model/HostMap.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Location.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Pushpins = 1'000'000;

synthetic::SyntheticMapOptions options(int pushpins = Pushpins) {
    synthetic::SyntheticMapOptions o;
    o.pushpins = pushpins;
    o.dataSets = 8;
    return o;
}

// Built once, shared by every benchmark.
const std::shared_ptr<maphost::HostMap>& bigMap() {
    static const auto map = maphost::HostMap::create(synthetic::makeSyntheticMap(options()));
    return map;
}

// Argument: the number of pushpins of the map (1,000,000 is the one that counts;
// the small map shows how much of the time is cache misses of the big one).
void BM_FindPushpin(benchmark::State& state) {
    const int pushpins = int(state.range(0));
    auto map = pushpins == Pushpins
                   ? bigMap()
                   : maphost::HostMap::create(synthetic::makeSyntheticMap(options(pushpins)));
    std::vector<QString> names = synthetic::sampleNames(options(pushpins), 4096);
    names.push_back(QStringLiteral("No Such Pushpin"));
    size_t i = 0;
    for (auto _ : state) {
        auto found = map->FindPushpin(names[i]);
        benchmark::DoNotOptimize(found);
        i = (i + 1) % names.size();
    }
}
BENCHMARK(BM_FindPushpin)->Arg(10'000)->Arg(Pushpins);

// One iteration walks every dataset of the map through QueryAllRecords and reads the
// Name of each record's Pushpin: 1,000,000 records.
void BM_WalkAllRecordsReadingNames(benchmark::State& state) {
    auto map = bigMap();
    int64_t records = 0;
    for (auto _ : state) {
        auto dataSets = map->DataSets();
        const int count = dataSets->Count();
        for (int d = 1; d <= count; ++d) {
            for (auto rs = dataSets->Item(d)->QueryAllRecords(); !rs->Eof(); rs->MoveNext()) {
                QString name = rs->Pushpin()->Name();
                benchmark::DoNotOptimize(name);
                ++records;
            }
        }
    }
    state.counters["records"] = benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WalkAllRecordsReadingNames)->Unit(benchmark::kMillisecond);

void BM_Distance(benchmark::State& state) {
    auto map = bigMap();
    std::vector<mappoint::LocationPtr> locations;
    for (int i = 0; i < 1024; ++i)
        locations.push_back(map->GetLocation(-80 + (i * 37 % 160), -180 + (i * 91 % 360), 0));
    size_t i = 0;
    for (auto _ : state) {
        const double d = map->Distance(locations[i], locations[(i + 511) & 1023]);
        benchmark::DoNotOptimize(d);
        i = (i + 1) & 1023;
    }
}
BENCHMARK(BM_Distance);

void BM_GetLocation(benchmark::State& state) {
    auto map = bigMap();
    double lat = 0, lon = 0;
    for (auto _ : state) {
        auto location = map->GetLocation(lat, lon, 0);
        benchmark::DoNotOptimize(location);
        lat = lat > 80 ? -80 : lat + 0.37;
        lon = lon > 170 ? -170 : lon + 1.13;
    }
}
BENCHMARK(BM_GetLocation);

} // namespace

BENCHMARK_MAIN();
