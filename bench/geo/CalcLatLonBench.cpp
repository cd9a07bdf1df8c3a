// One derivation once the Reference frame exists, on the host stand-in (target: under
// 0.5 us).
#include "geo/PositionCalculator.h"
#include "maphost/model/HostMap.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CalcLatLonWithFrame(benchmark::State& state) {
    auto map = maphost::HostMap::create();
    const mappoint::MapPtr asMap = map;
    const auto location = map->GetLocation(47.6205, -122.3493, 0);
    double lat = 0, lon = 0;
    geo::detail::ResetReferenceFrame();
    geo::CalcLatLon(asMap, location, lat, lon); // builds the frame
    for (auto _ : state) {
        geo::CalcLatLon(asMap, location, lat, lon);
        benchmark::DoNotOptimize(lat);
        benchmark::DoNotOptimize(lon);
    }
}
BENCHMARK(BM_CalcLatLonWithFrame);

} // namespace

BENCHMARK_MAIN();
