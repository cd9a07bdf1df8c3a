#include "ToolsTestSupport.h"

#include "tools/Benchmark.h"

#include <QAction>
#include <cmath>

using namespace toolstest;

namespace {

class Benchmark : public ToolsTest {
protected:
    const maphost::DataSetData* benchmarkSet(const maphost::MapData& d, int* count = nullptr) {
        const maphost::DataSetData* found = nullptr;
        int n = 0;
        for (const auto& set : d.dataSets)
            if (set.name == "Benchmark") {
                ++n;
                if (!found)
                    found = &set;
            }
        if (count)
            *count = n;
        return found;
    }
};

TEST_F(Benchmark, GridHas18RowsOf11FromSouthWestToNorthEast) {
    std::vector<std::pair<double, double>> points;
    int rowStarts = 0;
    tools::BenchmarkGrid::forEachPoint(
        [&] { ++rowStarts; }, [&](double lat, double lon) { points.emplace_back(lat, lon); });
    ASSERT_EQ(points.size(), 198u);
    EXPECT_EQ(rowStarts, 18);
    EXPECT_EQ(points.front(), std::make_pair(31.0, -120.00001));
    EXPECT_DOUBLE_EQ(points.back().first, 48.0);
    EXPECT_DOUBLE_EQ(points.back().second, -80.00001);
    EXPECT_DOUBLE_EQ(points[10].second, -80.00001);
    EXPECT_DOUBLE_EQ(points[11].first, 32.0);
}

TEST_F(Benchmark, SymbolStaysWithin1To254EvenWhereSinglePrecisionRoundsUp) {
    EXPECT_EQ(tools::BenchmarkSymbol(0.0), 1);
    EXPECT_EQ(tools::BenchmarkSymbol(0.5), 128);
    EXPECT_EQ(tools::BenchmarkSymbol(0.999), 254);
    EXPECT_EQ(tools::BenchmarkSymbol(std::nextafter(1.0, 0.0)), 254);
}

TEST_F(Benchmark, FirstRunCreatesTheDatasetListsTheRowsAndReports) {
    maphost::MapData start;
    start.dataSets.push_back(SetOf("Other", {PinAt("x", 1, 1)}));
    setData(start);
    auto& form = openWired();
    form.ResultRows()->append("earlier", 1);
    form.ResultRows()->flush();
    int maxSeen = 0, maximum = 0;
    QObject::connect(form.ProgressBar1, &QProgressBar::valueChanged, &form, [&](int v) {
        maxSeen = std::max(maxSeen, v);
        maximum = form.ProgressBar1->maximum();
    });
    form.mnuRunBenchmark->trigger();

    const maphost::MapData d = data();
    const maphost::DataSetData* set = benchmarkSet(d);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->pushpins.size(), 198u);
    EXPECT_EQ(set->pushpins.front().name, "test 0");
    EXPECT_DOUBLE_EQ(set->pushpins.front().latitude, 31);
    EXPECT_NEAR(set->pushpins.front().longitude, -120.00001, 1e-9);
    EXPECT_EQ(set->pushpins.back().name, "test 197");
    EXPECT_DOUBLE_EQ(set->pushpins.back().latitude, 48);
    EXPECT_NEAR(set->pushpins.back().longitude, -80.00001, 1e-9);
    for (const auto& pin : set->pushpins) {
        EXPECT_GE(pin.symbol, 1);
        EXPECT_LE(pin.symbol, 254);
        EXPECT_EQ(pin.balloonState, 1);
    }
    EXPECT_EQ(d.dataSets.front().pushpins.size(), 1u);

    const QStringList listed = rows();
    ASSERT_EQ(listed.size(), 199);
    EXPECT_EQ(listed.front(), "earlier");
    EXPECT_EQ(listed[1], "test 0");
    EXPECT_EQ(listed.back(), "test 197");
    for (int i = 0; i < 198; ++i)
        ASSERT_EQ(form.ResultRows()->imageIndex(i + 1), set->pushpins[size_t(i)].symbol + 1);

    EXPECT_EQ(maxSeen, 198);
    EXPECT_EQ(maximum, 200);
    EXPECT_FALSE(form.ProgressBar1->isVisible());
    EXPECT_EQ(status(), "");
    ASSERT_EQ(messages(), 1);
    const desktop::RecordedCall message = lastMessage();
    EXPECT_TRUE(message.text.startsWith("Total Time to add 198 Pushpins: "))
        << message.text.toStdString();
    EXPECT_TRUE(message.text.endsWith(" Seconds"));
    EXPECT_EQ(message.title, "Locastra");
    EXPECT_EQ(message.icon, desktop::Icon::Information);
    EXPECT_EQ(form.DataSetChoice(), "Benchmark");
    EXPECT_NEAR(map_->view().centerLatitude, 39.5, 1);
}

TEST_F(Benchmark, SecondRunReusesTheDataset) {
    setData({});
    auto& form = openWired();
    form.mnuRunBenchmark->trigger();
    form.mnuRunBenchmark->trigger();
    int sets = 0;
    const maphost::MapData d = data();
    const maphost::DataSetData* set = benchmarkSet(d, &sets);
    EXPECT_EQ(sets, 1);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->pushpins.size(), 396u);
    EXPECT_EQ(set->pushpins[198].name, "test 0");
    EXPECT_EQ(rows().size(), 396);
}

TEST_F(Benchmark, RefusedPushpinsStillCountAndTheMessageIsShown) {
    setData({});
    useFaults();
    faults_->failAlways("Map.AddPushpin");
    auto& form = openWired();
    form.mnuRunBenchmark->trigger();
    EXPECT_TRUE(rows().isEmpty());
    ASSERT_EQ(messages(), 1);
    EXPECT_TRUE(lastMessage().text.startsWith("Total Time to add 198 Pushpins: "));

    automation::RevokeActiveObject("MapPoint.Application", faultyApp_.get());
    form.mnuRunBenchmark->trigger();
    ASSERT_EQ(messages(), 2);
    EXPECT_TRUE(lastMessage().text.startsWith("Total Time to add 198 Pushpins: "));
    EXPECT_FALSE(form.ProgressBar1->isVisible());
}

} // namespace
