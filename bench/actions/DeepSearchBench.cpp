// The double-click's deep search over 1,000,000 records with three fields when only
// the last record matches (target: under 1 s).
#include "actions/PushpinLookup.h"
#include "maphost/model/HostMap.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int RecordCount = 1'000'000;

std::shared_ptr<maphost::HostMap> makeMap() {
    maphost::DataSetData set;
    set.name = "Big";
    set.fields = {
        {"City", QMetaType::QString}, {"Code", QMetaType::LongLong}, {"Score", QMetaType::Double}};
    set.pushpins.reserve(RecordCount);
    for (int i = 0; i < RecordCount; ++i) {
        maphost::PushpinData pin;
        pin.name = QStringLiteral("Pushpin %1").arg(i);
        pin.latitude = -80 + (i % 1600) * 0.1;
        pin.longitude = -170 + (i / 1600) * 0.5;
        pin.values = {QStringLiteral("City %1").arg(i % 5000), qlonglong(i), i * 0.25};
        set.pushpins.push_back(std::move(pin));
    }
    // Only the last record carries the searched value.
    set.pushpins.back().values[0] = QStringLiteral("Needle Town");
    maphost::MapData data;
    data.dataSets.push_back(std::move(set));
    return maphost::HostMap::create(data);
}

void BM_DeepSearchLastRecordMatches(benchmark::State& state) {
    static const auto map = makeMap();
    for (auto _ : state) {
        const bool found = actions::SearchPushpinForRow(map, QStringLiteral("NEEDLE TOWN"));
        if (!found)
            state.SkipWithError("the last record was not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_DeepSearchLastRecordMatches)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
