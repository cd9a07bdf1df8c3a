// The QGIS adapter over 1,000,000 point features, in a memory layer and in a
// GeoPackage layer: walking every name through a record set (Find and Get All do
// this), building the name index, FindPushpin once it is built, and the index's
// memory per pushpin; Find and Get All through the tool window, from the click to the
// final status text, with the longest event-loop gap (targets: Find under 1 s on the
// memory layer and under 2 s on the GeoPackage, Get All under 2 s).
#include "MenuCommands.h"
#include "QgisLayer.h"
#include "QgisMap.h"
#include "QgisRuntime.h"
#include "RecordingAppearance.h"
#include "TestLayers.h"
#include "ToolWindowSession.h"
#include "WalkNames.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "toolwindow/ResultListModel.h"
#include "toolwindow/StatusBar.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <qgsfeatureiterator.h>
#include <qgsfeaturerequest.h>
#include <qgsproject.h>
#include <qgsvectorlayer.h>
#include <random>

namespace {

constexpr int Count = 1000000;

QString nameOf(int i) {
    return QStringLiteral("Pushpin %1").arg(i);
}

void makeFeature(int i, QgsPointXY& point, QVariantList& values) {
    point = QgsPointXY(-180 + 360.0 * (i % 1000) / 1000, -80 + 160.0 * (i / 1000) / 1000);
    values = {nameOf(i), QStringLiteral("note %1").arg(i)};
}

QgsFields pinFields() {
    return qgistest::fields(
        {{QStringLiteral("Name"), QVariant::String}, {QStringLiteral("Note"), QVariant::String}});
}

// One project with both layers, made on first use and kept for every benchmark.
struct Layers {
    QTemporaryDir folder;
    QgsVectorLayer* memory = nullptr;
    QgsVectorLayer* geoPackage = nullptr;
    qgistest::RecordingAppearance appearance;

    Layers() {
        memory = qgistest::memoryLayer(QStringLiteral("Memory"), QStringLiteral("EPSG:4326"),
                                       pinFields(), Count, makeFeature);
        geoPackage = qgistest::geoPackageLayer(folder.path(), QStringLiteral("GeoPackage"), 4326,
                                               pinFields(), Count, makeFeature);
        qgistest::appendToProject(*QgsProject::instance(), memory);
        qgistest::appendToProject(*QgsProject::instance(), geoPackage);
    }

    static Layers& get() {
        static Layers* layers = [] {
            auto* made = new Layers();
            qgistest::atExit([made] {
                QgsProject::instance()->clear();
                delete made;
            });
            return made;
        }();
        return *layers;
    }

    std::shared_ptr<qgishost::QgisMap> newMap() {
        return qgishost::QgisMap::create(QgsProject::instance(), nullptr, appearance);
    }
};

void walkNames(benchmark::State& state, const QString& dataSet) {
    auto map = Layers::get().newMap();
    qgisbench::walkNames(state, map->DataSets()->Item(dataSet), Count);
    state.counters["records"] = Count;
}

void BM_WalkNamesMemoryLayer(benchmark::State& state) {
    walkNames(state, QStringLiteral("Memory"));
}
BENCHMARK(BM_WalkNamesMemoryLayer)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WalkNamesGeoPackage(benchmark::State& state) {
    walkNames(state, QStringLiteral("GeoPackage"));
}
BENCHMARK(BM_WalkNamesGeoPackage)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same walk on QGIS's own iterator (name and note fields, no geometry): what the
// record set adds to it.
void BM_WalkNamesGeoPackageQgisIterator(benchmark::State& state) {
    QgsVectorLayer* layer = Layers::get().geoPackage;
    const int name = layer->fields().indexFromName(QStringLiteral("Name"));
    const int note = layer->fields().indexFromName(QStringLiteral("Note"));
    for (auto _ : state) {
        QgsFeatureRequest request;
        request.setFlags(QgsFeatureRequest::NoGeometry);
        request.setSubsetOfAttributes(QgsAttributeList{name, note});
        QgsFeatureIterator it = layer->getFeatures(request);
        QgsFeature f;
        int64_t length = 0;
        while (it.nextFeature(f))
            length += f.attribute(name).toString().size();
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_WalkNamesGeoPackageQgisIterator)->Unit(benchmark::kMillisecond)->Iterations(3);

// Building the index of one layer: a new map each time (its layers' state is new).
void buildIndex(benchmark::State& state, QgsVectorLayer* layer) {
    Layers& layers = Layers::get();
    double bytes = 0;
    for (auto _ : state) {
        auto map = layers.newMap();
        bytes = double(map->layerState(*layer)->nameIndex().memoryBytes());
    }
    state.counters["index_bytes_per_pushpin"] = bytes / Count;
}

void BM_BuildNameIndexMemoryLayer(benchmark::State& state) {
    buildIndex(state, Layers::get().memory);
}
BENCHMARK(BM_BuildNameIndexMemoryLayer)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BuildNameIndexGeoPackage(benchmark::State& state) {
    buildIndex(state, Layers::get().geoPackage);
}
BENCHMARK(BM_BuildNameIndexGeoPackage)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first FindPushpin on a GeoPackage layer without an index: one query, which the
// Find command asks before its walk builds the index.
void BM_FirstFindPushpinGeoPackage(benchmark::State& state) {
    Layers& layers = Layers::get();
    for (auto _ : state) {
        auto map = layers.newMap();
        int64_t id = 0;
        if (!map->layerState(*layers.geoPackage)->firstNamed(nameOf(Count - 1), id))
            state.SkipWithError("the last pushpin was not found");
    }
}
BENCHMARK(BM_FirstFindPushpinGeoPackage)->Unit(benchmark::kMillisecond)->Iterations(3);

// FindPushpin with the index built: names anywhere in the second layer, and names no
// pushpin has.
void BM_FindPushpin(benchmark::State& state) {
    Layers& layers = Layers::get();
    auto map = layers.newMap();
    for (QgsVectorLayer* layer : {layers.memory, layers.geoPackage})
        map->layerState(*layer)->nameIndex();
    std::mt19937 random(5);
    std::vector<QString> names;
    for (int i = 0; i < 4096; ++i)
        names.push_back(i % 8 == 0 ? QStringLiteral("Nobody %1").arg(i)
                                   : nameOf(int(random() % Count)));
    size_t i = 0;
    int found = 0;
    for (auto _ : state) {
        found += map->FindPushpin(names[i++ & 4095]) != nullptr;
    }
    benchmark::DoNotOptimize(found);
    state.counters["found_share"] = double(found) / double(state.iterations());
}
BENCHMARK(BM_FindPushpin)->Unit(benchmark::kMicrosecond);

// The tool window over one new 1,000,000-pushpin layer as the whole project. These run
// last: a session clears the project, and with it the shared layers above.
QgsVectorLayer* newLayer(bool geoPackage, const QTemporaryDir& folder) {
    return geoPackage ? qgistest::geoPackageLayer(folder.path(), QStringLiteral("GeoPackage"), 4326,
                                                  pinFields(), Count, makeFeature)
                      : qgistest::memoryLayer(QStringLiteral("Memory"), QStringLiteral("EPSG:4326"),
                                              pinFields(), Count, makeFeature);
}

void reportGaps(benchmark::State& state, const qgisbench::EventTurnGaps& gaps) {
    state.counters["longest_gap_ms"] = gaps.longestMs();
    state.counters["event_turns"] = double(gaps.turns()) / double(state.iterations());
}

// Find for "pushpin 12" ("Pushpin 12", "Pushpin 120", ...: 11,111 names).
void BM_ToolWindowFind(benchmark::State& state) {
    QTemporaryDir folder;
    qgisbench::Session session(newLayer(state.range(0) != 0, folder));
    session.form->Text1->setText(QStringLiteral("pushpin 12"));
    qgisbench::EventTurnGaps gaps;
    for (auto _ : state)
        qgisbench::clickFind(*session.form, gaps);
    const QString status = session.form->StatusBar1->panelText(1);
    if (!status.endsWith(QStringLiteral(" of %1 records searched").arg(Count)))
        state.SkipWithError(qPrintable(QStringLiteral("unexpected status: ") + status));
    else if (session.form->ResultRows()->rowCount() != 11111)
        state.SkipWithError("Find listed the wrong pushpins");
    reportGaps(state, gaps);
}

// Get All: every pushpin listed, the status panel emptied at the end.
void BM_ToolWindowGetAll(benchmark::State& state) {
    QTemporaryDir folder;
    qgisbench::Session session(newLayer(state.range(0) != 0, folder));
    qgisbench::EventTurnGaps gaps;
    for (auto _ : state)
        qgisbench::clickGetAll(*session.form, gaps);
    if (!session.form->StatusBar1->panelText(1).isEmpty())
        state.SkipWithError("Get All left a status text");
    else if (session.form->ResultRows()->rowCount() != Count)
        state.SkipWithError("Get All did not list every pushpin");
    reportGaps(state, gaps);
}

void toolWindowArgs(benchmark::internal::Benchmark* b) {
    b->Arg(0)->Arg(1)->ArgName("geopackage")->Iterations(3);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_ToolWindowFind)->Apply(toolWindowArgs);
BENCHMARK(BM_ToolWindowGetAll)->Apply(toolWindowArgs);

} // namespace
