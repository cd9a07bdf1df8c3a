// The demo map: time-zone table parsing and what the map holds.
#include "maphost/app/DemoMap.h"
#include "maphost/model/HostMap.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using maphost::DemoMap;

namespace {

TEST(DemoMap, ParsesTimeZoneCoordinates) {
    double lat = 0;
    double lon = 0;
    ASSERT_TRUE(DemoMap::parseCoordinates("+4230+00131", lat, lon));
    EXPECT_NEAR(lat, 42.5, 1e-9);
    EXPECT_NEAR(lon, 1 + 31 / 60.0, 1e-9);
    ASSERT_TRUE(DemoMap::parseCoordinates("-720041+0023206", lat, lon));
    EXPECT_NEAR(lat, -(72 + 0 / 60.0 + 41 / 3600.0), 1e-9);
    EXPECT_NEAR(lon, 2 + 32 / 60.0 + 6 / 3600.0, 1e-9);
    ASSERT_TRUE(DemoMap::parseCoordinates("+4043-07400", lat, lon));
    EXPECT_NEAR(lon, -74, 1e-9);

    for (const char* bad : {"", "+4230", "4230+00131", "+4290+00131", "+42x0+00131", "+423+00131",
                            "+9500+00000", "+4230+18100"})
        EXPECT_FALSE(DemoMap::parseCoordinates(bad, lat, lon)) << bad;
}

TEST(DemoMap, CitiesComeFromTheTableAndBadLinesAreSkipped) {
    QTemporaryDir dir;
    QFile table(dir.filePath("zones.tab"));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly | QIODevice::Text));
    table.write("# comment\n"
                "AD\t+4230+00131\tEurope/Andorra\n"
                "CA\t+744144-0944945\tAmerica/Rankin_Inlet\tCentral - NU (central)\n"
                "XX\tgarbage\tNowhere/Town\n"
                "short line\n");
    table.close();
    const maphost::DataSetData cities = DemoMap::worldCities(table.fileName());
    ASSERT_EQ(cities.pushpins.size(), 2u);
    EXPECT_EQ(cities.pushpins[0].name, "Andorra");
    EXPECT_EQ(cities.pushpins[1].name, "Rankin Inlet");
    ASSERT_EQ(cities.fields.size(), 5);
    // As imported data keeps its name column: the name is the first field.
    EXPECT_EQ(cities.fields[0].name, "Name");
    EXPECT_EQ(cities.pushpins[1].values[0].toString(), "Rankin Inlet");
    EXPECT_EQ(cities.pushpins[1].values[1].toString(), "America/Rankin_Inlet");
    EXPECT_EQ(cities.pushpins[1].values[2].toString(), "CA");
    EXPECT_EQ(cities.pushpins[1].values[4].toString(), "Central - NU (central)");
    EXPECT_FALSE(cities.pushpins[0].values[4].isValid()); // no comment: no value

    EXPECT_TRUE(DemoMap::worldCities(dir.filePath("absent.tab")).pushpins.empty());
}

TEST(DemoMap, HoldsThreeDatasetsWithDifferentSymbolsAndAnAreaShape) {
    const maphost::MapData data = DemoMap::build();
    ASSERT_GE(data.dataSets.size(), 3u);
    QSet<int> symbols;
    bool oneWithoutFields = false;
    int withFields = 0;
    for (const auto& ds : data.dataSets) {
        EXPECT_FALSE(ds.pushpins.empty()) << ds.name.toStdString();
        symbols.insert(ds.symbol);
        oneWithoutFields |= ds.fields.isEmpty();
        withFields += ds.fields.isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(symbols.size(), static_cast<int>(data.dataSets.size()));
    EXPECT_TRUE(oneWithoutFields);
    EXPECT_GE(withFields, 2);
    EXPECT_GT(data.dataSets[0].pushpins.size(), 300u); // zone1970.tab has over 300 zones
    ASSERT_EQ(data.shapes.size(), 1u);
    EXPECT_EQ(data.shapes[0].kind, maphost::ShapeKind::Freeform);

    // Every dataset with fields names its pushpins in its first field, as an import does
    // (so the exports show the names); "Landmarks" shows a dataset without fields.
    for (const auto& ds : data.dataSets) {
        if (ds.fields.isEmpty())
            continue;
        EXPECT_EQ(ds.fields[0].name, "Name") << ds.name.toStdString();
        for (const auto& p : ds.pushpins)
            ASSERT_EQ(p.values.value(0).toString(), p.name) << ds.name.toStdString();
    }

    // The model takes it as it is.
    auto map = maphost::HostMap::create(data);
    EXPECT_EQ(map->dataSetCount(), static_cast<int>(data.dataSets.size()));
    EXPECT_TRUE(map->FindPushpin("Andorra"));
    EXPECT_TRUE(map->FindPushpin("Eiffel Tower"));
}

} // namespace
