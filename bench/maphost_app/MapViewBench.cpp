// Painting and panning maps with many pushpins, offscreen at 1280 x 800.
#include "maphost/model/HostMap.h"
#include "maphost/view/MapRenderer.h"
#include "mappoint/Pushpin.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {

const QSize FrameSize(1280, 800);

// n pushpins spread uniformly over a latitude/longitude box, in 10 datasets with a
// few symbols; some highlighted and some with open balloons, as a worked map has.
std::shared_ptr<maphost::HostMap> syntheticMap(int n, double lat0, double lat1, double lon0,
                                               double lon1) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> lat(lat0, lat1);
    std::uniform_real_distribution<double> lon(lon0, lon1);
    maphost::MapData data;
    for (int d = 0; d < 10; ++d) {
        maphost::DataSetData ds;
        ds.name = QStringLiteral("Set %1").arg(d);
        ds.symbol = d * 7;
        ds.pushpins.reserve(n / 10);
        for (int i = 0; i < n / 10; ++i) {
            maphost::PushpinData p;
            p.name = QStringLiteral("P%1-%2").arg(d).arg(i);
            p.latitude = lat(rng);
            p.longitude = lon(rng);
            p.symbol = ds.symbol + (i % 3);
            p.highlight = i % 5000 == 0;
            p.balloonState = i % 20000 == 1 ? 1 : 0;
            ds.pushpins.push_back(std::move(p));
        }
        data.dataSets.push_back(std::move(ds));
    }
    data.view.centerLatitude = (lat0 + lat1) / 2;
    data.view.centerLongitude = (lon0 + lon1) / 2;
    return maphost::HostMap::create(data);
}

double renderMs(maphost::MapRenderer& renderer, QImage& image) {
    const auto start = std::chrono::steady_clock::now();
    QPainter p(&image);
    renderer.render(p, image.size());
    p.end();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// 100,000 pushpins in view. Arg: altitude in miles (24000 whole world down to a
// close-up where every pushpin is drawn on its own).
void BM_Paint100k(benchmark::State& state) {
    static auto map = syntheticMap(100000, 40, 50, -5, 10); // western Europe
    maphost::ViewData v = map->view();
    v.altitude = static_cast<double>(state.range(0));
    map->setView(v);
    map->flushSignals();
    maphost::MapRenderer renderer;
    renderer.setMap(map);
    QImage image(FrameSize, QImage::Format_ARGB32_Premultiplied);
    renderMs(renderer, image); // builds the index
    double worst = 0;
    for (auto _ : state)
        worst = std::max(worst, renderMs(renderer, image));
    state.counters["worst_ms"] = worst;
    state.counters["pins_drawn"] = static_cast<double>(renderer.lastFrame().pins);
    state.counters["clusters"] = static_cast<double>(renderer.lastFrame().clusters);
}
BENCHMARK(BM_Paint100k)->Arg(24000)->Arg(4000)->Arg(800)->Arg(200)->Unit(benchmark::kMillisecond);

// 100,000 pushpins packed into a close-up view (about 5 by 3 degrees at 450 miles),
// where the view no longer aggregates and draws each pushpin that is not hidden
// under another.
void BM_Paint100kCloseUp(benchmark::State& state) {
    static auto map = syntheticMap(100000, 45.5, 48.5, 0, 5);
    maphost::ViewData v = map->view();
    v.altitude = 450;
    map->setView(v);
    map->flushSignals();
    maphost::MapRenderer renderer;
    renderer.setMap(map);
    QImage image(FrameSize, QImage::Format_ARGB32_Premultiplied);
    renderMs(renderer, image);
    double worst = 0;
    for (auto _ : state)
        worst = std::max(worst, renderMs(renderer, image));
    state.counters["worst_ms"] = worst;
    state.counters["pins_drawn"] = static_cast<double>(renderer.lastFrame().pins);
    state.counters["clusters"] = static_cast<double>(renderer.lastFrame().clusters);
}
BENCHMARK(BM_Paint100kCloseUp)->Unit(benchmark::kMillisecond);

// Panning a 1,000,000-pushpin world map: 120 frames, each moved by 40 pixels, at the
// altitude given. Reports the slowest frame.
void BM_Pan1M(benchmark::State& state) {
    static auto map = syntheticMap(1000000, -60, 70, -180, 180);
    maphost::MapRenderer renderer;
    renderer.setMap(map);
    QImage image(FrameSize, QImage::Format_ARGB32_Premultiplied);
    renderMs(renderer, image);
    double worst = 0;
    for (auto _ : state) {
        maphost::ViewData v = map->view();
        v.centerLatitude = 20;
        v.centerLongitude = -170;
        v.altitude = static_cast<double>(state.range(0));
        map->setView(v);
        for (int frame = 0; frame < 120; ++frame) {
            const maphost::MapProjection proj = renderer.projection(FrameSize);
            const QPointF c = proj.centreWorld() + QPointF(40 / proj.pixelsPerWorld(), 0);
            map->setCenter(maphost::MapProjection::latitudeOf(c.y()),
                           maphost::MapProjection::longitudeOf(c.x()));
            worst = std::max(worst, renderMs(renderer, image));
        }
    }
    state.counters["worst_frame_ms"] = worst;
    state.counters["frames"] =
        benchmark::Counter(120, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Pan1M)
    ->Arg(24000)
    ->Arg(3000)
    ->Arg(300)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Rebuilding the pushpin index of a 1,000,000-pushpin map (after any content change).
void BM_IndexRebuild1M(benchmark::State& state) {
    static auto map = syntheticMap(1000000, -60, 70, -180, 180);
    maphost::MapRenderer renderer;
    renderer.setMap(map);
    for (auto _ : state) {
        map->FindPushpin(QStringLiteral("P0-0"))->SetHighlight(true);
        map->flushSignals();
        benchmark::DoNotOptimize(renderer.pins().size());
    }
}
BENCHMARK(BM_IndexRebuild1M)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
