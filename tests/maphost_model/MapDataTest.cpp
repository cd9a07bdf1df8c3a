// Construction from and export to MapData, the host-side accessors, the modified
// flag and the coalesced change signals.
#include "TestMaps.h"
#include "automation/Error.h"
#include "mappoint/Location.h"
#include "mappoint/Symbol.h"
#include "mappoint/Symbols.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace testmaps;
using maphost::HostMap;
using maphost::MapData;

MapData sampleData() {
    MapData data;
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    data.customSymbols.push_back({256, "Hide", picture});
    data.customSymbols.push_back({260, "Late", picture});
    auto shops = dataSet(
        "Shops", {pin("A", 1.5, -2.25, {"x", 7}), pin("B", -89.5, 179.75, {QVariant(), 2.5})},
        {{"Text", QMetaType::QString}, {"Number", QMetaType::Double}});
    shops.symbol = 260;
    shops.pushpins[0].note = "note A";
    shops.pushpins[0].symbol = 256;
    shops.pushpins[0].highlight = true;
    shops.pushpins[0].balloonState = 1;
    shops.pushpins[1].symbol = 260;
    data.dataSets.push_back(shops);
    data.dataSets.push_back(dataSet("Empty", {}));
    maphost::ShapeData line;
    line.kind = maphost::ShapeKind::Line;
    line.name = "Road";
    line.points = {{0, 0}, {1, 1}};
    data.shapes.push_back(line);
    data.view = {12.5, -45, 300, 1};
    return data;
}

void expectEqual(const MapData& a, const MapData& b) {
    ASSERT_EQ(a.dataSets.size(), b.dataSets.size());
    for (size_t i = 0; i < a.dataSets.size(); ++i) {
        const auto& x = a.dataSets[i];
        const auto& y = b.dataSets[i];
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.symbol, y.symbol);
        ASSERT_EQ(x.fields.size(), y.fields.size());
        for (qsizetype f = 0; f < x.fields.size(); ++f) {
            EXPECT_EQ(x.fields[f].name, y.fields[f].name);
            EXPECT_EQ(x.fields[f].type, y.fields[f].type);
        }
        ASSERT_EQ(x.pushpins.size(), y.pushpins.size());
        for (size_t p = 0; p < x.pushpins.size(); ++p) {
            const auto& m = x.pushpins[p];
            const auto& n = y.pushpins[p];
            EXPECT_EQ(m.name, n.name);
            EXPECT_EQ(m.note, n.note);
            EXPECT_EQ(m.latitude, n.latitude);
            EXPECT_EQ(m.longitude, n.longitude);
            EXPECT_EQ(m.symbol, n.symbol);
            EXPECT_EQ(m.highlight, n.highlight);
            EXPECT_EQ(m.balloonState, n.balloonState);
            // Missing trailing values come back as invalid values.
            for (qsizetype v = 0; v < x.fields.size(); ++v)
                EXPECT_EQ(m.values.value(v), n.values.value(v)) << m.name.toStdString() << v;
        }
    }
    ASSERT_EQ(a.customSymbols.size(), b.customSymbols.size());
    for (size_t i = 0; i < a.customSymbols.size(); ++i) {
        EXPECT_EQ(a.customSymbols[i].id, b.customSymbols[i].id);
        EXPECT_EQ(a.customSymbols[i].name, b.customSymbols[i].name);
        EXPECT_EQ(a.customSymbols[i].image, b.customSymbols[i].image);
    }
    ASSERT_EQ(a.shapes.size(), b.shapes.size());
    for (size_t i = 0; i < a.shapes.size(); ++i) {
        EXPECT_EQ(a.shapes[i].kind, b.shapes[i].kind);
        EXPECT_EQ(a.shapes[i].name, b.shapes[i].name);
        EXPECT_EQ(a.shapes[i].points, b.shapes[i].points);
    }
    EXPECT_EQ(a.view.centerLatitude, b.view.centerLatitude);
    EXPECT_EQ(a.view.centerLongitude, b.view.centerLongitude);
    EXPECT_EQ(a.view.altitude, b.view.altitude);
    EXPECT_EQ(a.view.units, b.view.units);
}

TEST(MapData, RoundTripKeepsEverything) {
    const MapData data = sampleData();
    auto map = HostMap::create(data);
    EXPECT_FALSE(map->isModified());
    expectEqual(map->toMapData(), data);
    EXPECT_EQ(map->Symbols()->Count(), 258);
    EXPECT_EQ(map->Symbols()->Item(258)->ID(), 260); // custom symbols in ID order
    EXPECT_EQ(map->Symbols()->Item(257)->Name(), "Hide");
    EXPECT_EQ(map->Units(), mappoint::geoKilometers);
    EXPECT_EQ(map->shapeIds().size(), 1u);
}

TEST(MapData, ChangesShowInTheExport) {
    auto map = HostMap::create(sampleData());
    map->FindPushpin("A")->Delete();
    map->AddPushpin(map->GetLocation(3, 4, 0), "C");
    const MapData out = map->toMapData();
    ASSERT_EQ(out.dataSets.size(), 3u);
    EXPECT_EQ(out.dataSets[0].pushpins.size(), 1u);
    EXPECT_EQ(out.dataSets[2].name, "My Pushpins");
    EXPECT_EQ(out.dataSets[2].pushpins[0].name, "C");
    EXPECT_EQ(out.dataSets[2].pushpins[0].latitude, 3);
}

TEST(MapData, InconsistentDataIsRefusedAndChangesNothing) {
    auto bad = [](auto change) {
        MapData data = sampleData();
        change(data);
        EXPECT_THROW(HostMap::create(data), automation::Error);
    };
    bad([](MapData& d) { d.dataSets[0].pushpins[0].latitude = 91; });
    bad([](MapData& d) { d.dataSets[0].pushpins[0].longitude = NAN; });
    bad([](MapData& d) { d.dataSets[0].pushpins[0].symbol = 258; });
    bad([](MapData& d) { d.dataSets[0].pushpins[0].balloonState = 3; });
    bad([](MapData& d) { d.dataSets[0].pushpins[0].values << 1 << 2; });
    bad([](MapData& d) { d.dataSets[0].symbol = 999; });
    bad([](MapData& d) { d.customSymbols[1].id = 256; });
    bad([](MapData& d) { d.customSymbols[1].id = 12; });
    bad([](MapData& d) { d.customSymbols[1].image = QImage(); });

    auto map = HostMap::create(sampleData());
    auto extra = dataSet("Import", {pin("ok", 1, 1), pin("bad", 100, 1)});
    EXPECT_THROW(map->addDataSet(extra), automation::Error);
    EXPECT_EQ(map->dataSetCount(), 2);
    EXPECT_FALSE(map->FindPushpin("ok"));
    extra.pushpins[1].latitude = 10;
    const auto id = map->addDataSet(extra);
    EXPECT_EQ(map->dataSetName(id), "Import");
    EXPECT_EQ(map->dataSetPushpins(id).size(), 2u);
    EXPECT_TRUE(map->FindPushpin("bad"));
}

TEST(MapData, AccessorsForTheHostWindows) {
    auto map = HostMap::create(sampleData());
    QStringList names;
    map->forEachPushpin([&](const maphost::PushpinView& p) {
        names << p.name;
        EXPECT_TRUE(map->isPushpinAlive(p.id));
    });
    EXPECT_EQ(names, (QStringList{"A", "B"}));
    EXPECT_EQ(map->pushpinCount(), 2);
    const auto shops = map->dataSetAt(0);
    EXPECT_EQ(map->dataSetRecordCount(shops), 2);
    EXPECT_EQ(map->pushpinValues(map->dataSetPushpins(shops)[0]), (QVector<QVariant>{"x", 7}));
    EXPECT_THROW(map->dataSetAt(2), automation::Error);

    const auto shapeId = map->shapeIds().front();
    map->selectShape(shapeId);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::Shape);
    map->removeShape(shapeId);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);
    EXPECT_FALSE(map->isShapeAlive(shapeId));
    EXPECT_THROW(map->selectShape(shapeId), automation::Error);

    map->setCenter(100, 190); // clamped and wrapped
    EXPECT_EQ(map->view().centerLatitude, 90);
    EXPECT_EQ(map->view().centerLongitude, -170);
}

TEST(MapData, ModifiedFlagAndCoalescedSignals) {
    auto map = HostMap::create(sampleData());
    QSignalSpy modified(map.get(), &HostMap::modifiedChanged);
    QSignalSpy content(map.get(), &HostMap::contentChanged);
    QSignalSpy view(map.get(), &HostMap::viewChanged);
    QSignalSpy selection(map.get(), &HostMap::selectionChanged);

    map->SetAltitude(50); // the view alone does not make the document modified
    EXPECT_FALSE(map->isModified());
    auto ds = map->DataSets()->Item(1);
    for (auto rs = ds->QueryAllRecords(); !rs->Eof(); rs->MoveNext())
        rs->Pushpin()->SetHighlight(false);
    for (int i = 0; i < 1000; ++i)
        map->AddPushpin(map->GetLocation(0, 0, 0), QString::number(i));
    map->FindPushpin("7")->Select();
    EXPECT_TRUE(map->isModified());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(content.count(), 0); // not yet: signals wait for the event loop
    QCoreApplication::processEvents();
    EXPECT_EQ(content.count(), 1);
    EXPECT_EQ(view.count(), 1);
    EXPECT_EQ(selection.count(), 1);

    map->setModified(false);
    EXPECT_EQ(modified.count(), 2);
    map->FindPushpin("8")->SetNote("n");
    map->flushSignals();
    EXPECT_EQ(content.count(), 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(content.count(), 2);
}

} // namespace
