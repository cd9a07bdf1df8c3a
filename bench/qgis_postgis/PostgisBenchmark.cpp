// Locastra over PostGIS point layers in QGIS, on a private server of this program:
// tables of 100,000 and 1,000,000 pushpins ("Pin 0", "Pin 1", ...) in WGS 84 and in
// Web Mercator, each opened through QGIS's PostgreSQL provider as the only layer of
// the project. The tool window runs Find and the CSV export exactly as in QGIS (the
// registered QgisApplication, the project's own appearance); the name index is
// measured through the map.
//
// Targets: Find over 100,000 pushpins under 1.5 s and over 1,000,000 under 10 s, with
// the window handling its events at least every 100 ms throughout (the counter
// longest_gap_ms); FindPushpin under 5 us a call once the index is built; the CSV
// export of 100,000 pushpins under 3 s.
#include "PostgisServer.h"
#include "QgisLayer.h"
#include "QgisMap.h"
#include "QgisRuntime.h"
#include "ToolWindowSession.h"
#include "WalkNames.h"
#include "export/CsvExport.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Pushpin.h"
#include "qgis/styling/ProjectAppearance.h"
#include "toolwindow/ResultListModel.h"
#include "toolwindow/StatusBar.h"
#include "toolwindow/frmAddIn.h"

#include <QFile>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <qgsfeatureiterator.h>
#include <qgsfeaturerequest.h>
#include <qgsproject.h>
#include <qgsvectorlayer.h>
#include <random>

namespace {

// What Find is given: about 1.1% of the names contain it ("Pin 12", "Pin 120", ...).
const QString SearchText = QStringLiteral("pin 12");

QString nameOf(int i) {
    return QStringLiteral("Pin %1").arg(i);
}

// The records whose lower-cased name contains the search text.
int expectedMatches(int count) {
    int matches = 0;
    for (int i = 0; i < count; ++i)
        matches += QString::number(i).startsWith(QStringLiteral("12"));
    return matches;
}

QgsFields pinFields() {
    return qgistest::fields({{QStringLiteral("Name"), QVariant::String},
                             {QStringLiteral("Note"), QVariant::String},
                             {QStringLiteral("Visits"), QVariant::Int}});
}

// Points over the world in WGS 84, within Web Mercator's latitudes.
void makeFeature(int i, QgsPointXY& point, QVariantList& values) {
    point = QgsPointXY(-180 + 360.0 * (i % 1000) / 1000, -80 + 160.0 * (i / 1000 % 1000) / 1000);
    values = {nameOf(i), QStringLiteral("note %1").arg(i), i % 97};
}

QString tableOf(int count, int srid) {
    return QStringLiteral("pins_%1_%2").arg(count).arg(srid);
}

// The table of count pushpins stored in srid, loaded on first use and kept for the run.
QString table(int count, int srid) {
    static QSet<QString> loaded;
    const QString name = tableOf(count, srid);
    if (!loaded.contains(name)) {
        qgistest::PostgisServer::shared().createPointTable(name, srid, pinFields(), count,
                                                           makeFeature);
        loaded.insert(name);
    }
    return name;
}

// QGIS with the table of count pushpins in srid as its only layer; everything of the
// layer's state (its name index) is new.
struct Session : qgisbench::Session {
    Session(int count, int srid)
        : qgisbench::Session(qgistest::PostgisServer::shared().layer(
              table(count, srid), QStringLiteral("Pins %1 EPSG:%2").arg(count).arg(srid))) {}
};

using qgisbench::clickFind;
using qgisbench::EventTurnGaps;

void checkFind(benchmark::State& state, toolwindow::frmAddIn& form, int count) {
    const QString status = form.StatusBar1->panelText(1);
    if (!status.endsWith(QStringLiteral(" of %1 records searched").arg(count)))
        state.SkipWithError(qPrintable(QStringLiteral("unexpected status: ") + status));
    else if (form.ResultRows()->rowCount() != expectedMatches(count))
        state.SkipWithError("Find listed the wrong pushpins");
}

// Find with the layer's name index already built (every Find after the first).
void BM_Find(benchmark::State& state) {
    const int count = int(state.range(0));
    Session session(count, int(state.range(1)));
    session.map().layerState(*session.layer)->nameIndex(); // as the first Find's walk leaves it
    session.form->Text1->setText(SearchText);
    EventTurnGaps gaps;
    for (auto _ : state)
        clickFind(*session.form, gaps);
    checkFind(state, *session.form, count);
    state.counters["longest_gap_ms"] = gaps.longestMs();
    state.counters["event_turns"] = double(gaps.turns()) / double(state.iterations());
}

// The first Find on a newly opened layer: its FindPushpin asks the server, its walk
// builds the name index on the way.
void BM_FirstFind(benchmark::State& state) {
    const int count = int(state.range(0));
    EventTurnGaps gaps;
    std::unique_ptr<Session> session;
    for (auto _ : state) {
        state.PauseTiming();
        session.reset();
        session = std::make_unique<Session>(count, int(state.range(1)));
        session->form->Text1->setText(SearchText);
        state.ResumeTiming();
        clickFind(*session->form, gaps);
    }
    checkFind(state, *session->form, count);
    if (!session->map().layerState(*session->layer)->indexed())
        state.SkipWithError("the walk left no name index");
    state.counters["longest_gap_ms"] = gaps.longestMs();
}

void findArgs(benchmark::internal::Benchmark* b) {
    b->Args({100'000, 4326})->Args({100'000, 3857})->Args({1'000'000, 4326});
    b->Args({1'000'000, 3857})->ArgNames({"pins", "srid"});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_Find)->Apply(findArgs)->Iterations(3);
BENCHMARK(BM_FirstFind)->Apply(findArgs)->Iterations(1);

// QGIS's own iterator over the name field without geometry: the floor under a walk.
// (The record set reads the note field as well.)
void BM_WalkNamesQgisIterator(benchmark::State& state) {
    Session session(int(state.range(0)), int(state.range(1)));
    const int name = session.layer->fields().indexFromName(QStringLiteral("Name"));
    for (auto _ : state) {
        QgsFeatureRequest request;
        request.setFlags(QgsFeatureRequest::NoGeometry);
        request.setSubsetOfAttributes(QgsAttributeList{name});
        QgsFeatureIterator it = session.layer->getFeatures(request);
        QgsFeature f;
        int64_t length = 0;
        while (it.nextFeature(f))
            length += f.attribute(name).toString().size();
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_WalkNamesQgisIterator)->Apply(findArgs)->Iterations(3);

// The record-set walk of Find without the window: every record's pushpin name.
void BM_WalkNamesRecordset(benchmark::State& state) {
    const int count = int(state.range(0));
    Session session(count, int(state.range(1)));
    qgisbench::walkNames(state, session.map().DataSets()->Item(1), count);
}
BENCHMARK(BM_WalkNamesRecordset)->Apply(findArgs)->Iterations(3);

// Building the name index: a new map each time (its layer state is new).
void BM_BuildNameIndex(benchmark::State& state) {
    const int count = int(state.range(0));
    Session session(count, int(state.range(1)));
    double bytes = 0;
    for (auto _ : state) {
        auto map = qgishost::QgisMap::create(QgsProject::instance(), nullptr, *session.appearance);
        auto indexed = map->layerState(*session.layer);
        bytes = double(indexed->nameIndex().memoryBytes());
        int64_t id = 0;
        if (!indexed->firstNamed(nameOf(count / 2), id))
            state.SkipWithError("the index misses a name");
    }
    state.counters["index_bytes_per_pushpin"] = bytes / count;
}
BENCHMARK(BM_BuildNameIndex)->Apply(findArgs)->Iterations(3);

// FindPushpin through the map once the index is built: names of the layer anywhere
// in it, or names no pushpin has. The pushpin it returns reads its feature only when
// asked (readName: its Name, one request to the server, as Find's first row does).
void findPushpin(benchmark::State& state, bool existing, bool readName = false) {
    const int count = int(state.range(0));
    Session session(count, int(state.range(1)));
    qgishost::QgisMap& map = session.map();
    map.layerState(*session.layer)->nameIndex(); // builds the index
    std::mt19937 random(5);
    std::vector<QString> names;
    for (int i = 0; i < 4096; ++i)
        names.push_back(existing ? nameOf(int(random() % count))
                                 : QStringLiteral("Nobody %1").arg(random() % count));
    size_t i = 0;
    int found = 0;
    for (auto _ : state) {
        const mappoint::PushpinPtr pushpin = map.FindPushpin(names[i++ & 4095]);
        found += pushpin != nullptr;
        if (readName && pushpin)
            benchmark::DoNotOptimize(pushpin->Name());
    }
    if (found != (existing ? int(state.iterations()) : 0))
        state.SkipWithError("FindPushpin answered wrongly");
}

void BM_FindPushpinExisting(benchmark::State& state) {
    findPushpin(state, true);
}
void BM_FindPushpinMissing(benchmark::State& state) {
    findPushpin(state, false);
}
void BM_FindPushpinThenName(benchmark::State& state) {
    findPushpin(state, true, true);
}
BENCHMARK(BM_FindPushpinExisting)
    ->Args({100'000, 4326})
    ->Args({1'000'000, 3857})
    ->ArgNames({"pins", "srid"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindPushpinMissing)
    ->Args({100'000, 4326})
    ->Args({1'000'000, 3857})
    ->ArgNames({"pins", "srid"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindPushpinThenName)
    ->Args({100'000, 4326})
    ->Args({1'000'000, 3857})
    ->ArgNames({"pins", "srid"})
    ->Unit(benchmark::kMicrosecond);

int64_t lineCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    int64_t lines = 0;
    while (!file.atEnd())
        lines += file.read(1 << 20).count('\n');
    return lines;
}

// Tools > Export with Lat/Lon without a spreadsheet application, from the command to
// the renamed file (the text editor is not started).
void BM_CsvExport(benchmark::State& state) {
    const int count = int(state.range(0));
    Session session(count, int(state.range(1)));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("export.csv"));
    for (auto _ : state)
        exporting::exportbydataset2csv(*session.form, file);
    state.counters["MB"] = double(QFile(file).size()) / 1e6;
    if (lineCount(file) != count + 1)
        state.SkipWithError("the file does not hold every pushpin");
}
BENCHMARK(BM_CsvExport)
    ->Args({100'000, 4326})
    ->Args({100'000, 3857})
    ->ArgNames({"pins", "srid"})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
