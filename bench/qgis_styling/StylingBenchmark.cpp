// Cost of Locastra's per-feature state in QGIS: a symbol set on every feature of a
// layer (as "Hide Dataset" does), the symbol read back, and drawing the layer before
// and after Locastra set one symbol on it, on a memory layer and on a GeoPackage
// layer of 10,000 points.
#include "qgis/styling/ProjectAppearance.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <qgsexpressioncontextutils.h>
#include <qgsfeatureiterator.h>
#include <qgsgeometry.h>
#include <qgsmaprenderersequentialjob.h>
#include <qgsmapsettings.h>
#include <qgsproject.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorfilewriter.h>
#include <qgsvectorlayer.h>

namespace {

constexpr int Points = 10'000;

struct Setup {
    QTemporaryDir dir;
    QgsProject project;
    QgsVectorLayer* layer = nullptr;
    QList<QgsFeatureId> ids;
};

std::unique_ptr<Setup> makeSetup(bool geoPackage) {
    auto setup = std::make_unique<Setup>();
    auto memory =
        std::make_unique<QgsVectorLayer>(QStringLiteral("Point?crs=EPSG:4326&field=Name:string"),
                                         QStringLiteral("Points"), QStringLiteral("memory"));
    QgsFeatureList features;
    for (int i = 0; i < Points; ++i) {
        QgsFeature f(memory->fields());
        f.setAttributes(QgsAttributes() << QStringLiteral("P%1").arg(i));
        f.setGeometry(QgsGeometry::fromPointXY(QgsPointXY(i % 360 - 180.0, i % 170 - 85.0)));
        features << f;
    }
    memory->dataProvider()->addFeatures(features);
    QgsVectorLayer* layer = memory.release();
    if (geoPackage) {
        const QString path = setup->dir.filePath(QStringLiteral("points.gpkg"));
        QgsVectorFileWriter::SaveVectorOptions options;
        options.driverName = QStringLiteral("GPKG");
        QgsVectorFileWriter::writeAsVectorFormatV3(layer, path, QgsCoordinateTransformContext(),
                                                   options);
        delete layer;
        layer = new QgsVectorLayer(path, QStringLiteral("Points"), QStringLiteral("ogr"));
    }
    setup->layer = static_cast<QgsVectorLayer*>(setup->project.addMapLayer(layer));
    QgsFeature f;
    QgsFeatureIterator it = layer->getFeatures(QgsFeatureRequest().setNoAttributes());
    while (it.nextFeature(f))
        setup->ids << f.id();
    return setup;
}

void BM_SetSymbolOnEveryFeature(benchmark::State& state) {
    const auto setup = makeSetup(state.range(0) == 1);
    qgishost::ProjectAppearance appearance(setup->project);
    int16_t symbol = 0;
    for (auto _ : state) {
        symbol = int16_t((symbol + 1) % 256);
        for (QgsFeatureId id : setup->ids)
            appearance.setSymbol(*setup->layer, id, symbol);
    }
    state.counters["us_per_feature"] =
        benchmark::Counter(double(Points) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(BM_SetSymbolOnEveryFeature)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ReadSymbolOfEveryFeature(benchmark::State& state) {
    const auto setup = makeSetup(state.range(0) == 1);
    qgishost::ProjectAppearance appearance(setup->project);
    appearance.setSymbol(*setup->layer, setup->ids.front(), 5);
    for (auto _ : state) {
        for (QgsFeatureId id : setup->ids)
            benchmark::DoNotOptimize(appearance.symbol(*setup->layer, id));
    }
    state.counters["us_per_feature"] =
        benchmark::Counter(double(Points) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadSymbolOfEveryFeature)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// Arg 0 memory / 1 GeoPackage; Arg 1: 0 the user's style only, 1 with one symbol set.
void BM_DrawLayer(benchmark::State& state) {
    const auto setup = makeSetup(state.range(0) == 1);
    qgishost::ProjectAppearance appearance(setup->project);
    if (state.range(1) == 1)
        appearance.setSymbol(*setup->layer, setup->ids.front(), 5);
    QgsMapSettings settings;
    settings.setLayers({setup->layer});
    settings.setDestinationCrs(setup->layer->crs());
    settings.setExtent(QgsRectangle(-180, -90, 180, 90));
    settings.setOutputSize(QSize(800, 400));
    QgsExpressionContext context;
    context << QgsExpressionContextUtils::globalScope()
            << QgsExpressionContextUtils::projectScope(&setup->project);
    settings.setExpressionContext(context);
    for (auto _ : state) {
        QgsMapRendererSequentialJob job(settings);
        job.start();
        job.waitForFinished();
    }
    state.counters["us_per_feature"] =
        benchmark::Counter(double(Points) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawLayer)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
