// Formatting a million positions in each coordinate format, as Get Lat/Lon, Copy
// Lat/Lon and the information window do (target: under 1 s per million in any format).
#include "geo/PositionFormat.h"

#include <benchmark/benchmark.h>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr size_t Positions = 1'000'000;

// Positions spread over the whole globe, poles and antimeridian included.
const std::vector<std::pair<double, double>>& positions() {
    static const std::vector<std::pair<double, double>> all = [] {
        std::mt19937_64 random(1970);
        std::uniform_real_distribution<double> latitude(-90, 90);
        std::uniform_real_distribution<double> longitude(-180, 180);
        std::vector<std::pair<double, double>> out(Positions);
        for (auto& p : out)
            p = {latitude(random), longitude(random)};
        return out;
    }();
    return all;
}

void BM_FormatMillionPositions(benchmark::State& state) {
    const auto format = static_cast<geo::CoordinateFormat>(state.range(0));
    state.SetLabel(geo::CoordinateFormatTitle(format).toStdString());
    const auto& all = positions();
    for (auto _ : state) {
        for (const auto& [latitude, longitude] : all)
            benchmark::DoNotOptimize(geo::FormatPosition(latitude, longitude, format));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * all.size()));
}
BENCHMARK(BM_FormatMillionPositions)
    ->DenseRange(0, static_cast<int>(geo::AllCoordinateFormats.size()) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
