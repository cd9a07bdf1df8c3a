#include "Benchmark.h"

#include "SelectorEntries.h"
#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "addin/mappoint/SymbolImageIndex.h"
#include "desktop/Desktop.h"
#include "mappoint/Map.h"
#include "mappoint/Pushpin.h"
#include "toolwindow/MessagePump.h"
#include "toolwindow/ResultListModel.h"
#include "toolwindow/ResultListView.h"
#include "toolwindow/StatusBar.h"
#include "toolwindow/frmAddIn.h"

#include <QDateTime>
#include <QProgressBar>
#include <algorithm>
#include <chrono>
#include <random>

namespace tools {

using locastra::Step;

namespace {

constexpr int ProgressMaximum = 200;

// The first dataset bearing the benchmark's name, taken by name; created when the
// map has none.
mappoint::DataSetPtr BenchmarkDataSet(const mappoint::MapPtr& map) {
    mappoint::DataSetPtr found;
    Step([&] {
        const mappoint::DataSetsPtr dataSets = map->DataSets();
        const int32_t count = dataSets->Count();
        bool exists = false;
        for (int32_t i = 1; i <= count && !exists; ++i)
            Step([&] { exists = dataSets->Item(i)->Name() == BenchmarkDataSetName; });
        found = exists ? dataSets->Item(BenchmarkDataSetName)
                       : dataSets->AddPushpinSet(BenchmarkDataSetName);
    });
    return found;
}

// Reseeded from the clock before each draw.
double FreshUniform() {
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

// Makes the grid pushpin number counter at the point, with a random symbol, in the
// benchmark dataset; empty when the map refuses it.
mappoint::PushpinPtr AddGridPushpin(const mappoint::MapPtr& map,
                                    const mappoint::DataSetPtr& benchmark, double latitude,
                                    double longitude, int counter) {
    mappoint::PushpinPtr pushpin;
    if (!map)
        return pushpin;
    Step([&] {
        const mappoint::LocationPtr location = map->GetLocation(latitude, longitude, 0);
        pushpin = map->AddPushpin(location, QStringLiteral("test %1").arg(counter));
    });
    if (!pushpin)
        return pushpin;
    const auto symbol = static_cast<int16_t>(BenchmarkSymbol(FreshUniform()));
    Step([&] { pushpin->SetSymbol(symbol); });
    if (benchmark)
        Step([&] { pushpin->MoveTo(benchmark); });
    return pushpin;
}

void ZoomToBenchmark(const mappoint::MapPtr& map) {
    Step([&] {
        const mappoint::DataSetsPtr dataSets = map->DataSets();
        const int32_t count = dataSets->Count();
        for (int32_t i = 1; i <= count; ++i) {
            const mappoint::DataSetPtr dataSet = dataSets->Item(i);
            bool named = false;
            Step([&] { named = dataSet->Name() == BenchmarkDataSetName; });
            if (named) {
                dataSet->ZoomTo();
                return;
            }
        }
    });
}

} // namespace

void BenchmarkGrid::forEachPoint(const std::function<void()>& beforeRow,
                                 const std::function<void(double, double)>& visit) {
    for (double lat = FirstLatitude; lat <= LastLatitude; lat += LatitudeStep) {
        beforeRow();
        for (double lon = FirstLongitude; lon <= LastLongitude; lon += LongitudeStep)
            visit(lat, lon);
    }
}

int BenchmarkSymbol(double r) {
    const float value = 254.0f * static_cast<float>(r) + 1.0f;
    const int symbol = static_cast<int>(value);
    return std::clamp(symbol, 1, 254);
}

QString BenchmarkMessage(int count, qint64 seconds) {
    return QStringLiteral("Total Time to add %1 Pushpins: %2 Seconds").arg(count).arg(seconds);
}

void RunBenchmark(toolwindow::frmAddIn& form) {
    mappoint::MapPtr map;
    Step([&] { map = locastra::AttachActiveMap(); });
    mappoint::DataSetPtr benchmark;
    if (map)
        benchmark = BenchmarkDataSet(map);

    QProgressBar* bar = form.ProgressBar1;
    Step([&] {
        int16_t panel = 1;
        form.MoveProgressBarIntoPanel(bar, form.StatusBar1, panel);
    });
    form.StatusBar1->setPanelBevel(1, toolwindow::StatusBar::Inset);
    bar->setMaximum(ProgressMaximum);
    bar->setVisible(true);
    bar->setValue(0);

    toolwindow::ResultListModel& rows = *form.ResultRows();
    const auto flushRows = [&] {
        const int last = rows.flush();
        if (last >= 0)
            form.ListView1->scrollTo(rows.index(last));
    };
    // The new row is shown (and scrolled to) whenever the window gets its messages.
    toolwindow::MessagePump pump(flushRows, 0);

    int counter = 0;
    const qint64 start = QDateTime::currentSecsSinceEpoch();
    BenchmarkGrid::forEachPoint(
        [&] { pump.yield(); },
        [&](double latitude, double longitude) {
            pump.yield();
            const mappoint::PushpinPtr pushpin =
                AddGridPushpin(map, benchmark, latitude, longitude, counter);
            ++counter;
            bar->setValue(bar->value() + 1);
            if (!pushpin)
                return;
            Step([&] { pushpin->SetBalloonState(mappoint::geoDisplayName); });
            Step([&] {
                const QString name = pushpin->Name();
                rows.append(name, locastra::SymbolImageIndex(pushpin->Symbol()));
            });
        });
    flushRows();
    if (map)
        ZoomToBenchmark(map);
    const qint64 seconds = QDateTime::currentSecsSinceEpoch() - start;

    bar->setVisible(false);
    form.StatusBar1->setPanelText(1, QString());
    desktop::services().messageBox(BenchmarkMessage(counter, seconds), QStringLiteral("Locastra"),
                                   desktop::Icon::Information, desktop::Buttons::Ok);
    form.RefreshDataSets();
    SelectEntries(form, BenchmarkDataSetName);
}

} // namespace tools
