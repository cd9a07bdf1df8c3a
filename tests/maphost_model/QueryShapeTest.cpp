// QueryShape per shape type, points on the outline, and shapes across the 180th
// meridian; also ZoomTo and the selection of shapes.
#include "TestMaps.h"
#include "automation/Error.h"
#include "maphost/model/HostShape.h"
#include "mappoint/Shape.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

using namespace testmaps;
using maphost::HostMap;
using maphost::ShapeData;
using maphost::ShapeKind;

ShapeData shape(ShapeKind kind, QVector<QPointF> points, const QString& name = "Shape") {
    ShapeData s;
    s.kind = kind;
    s.name = name;
    s.points = std::move(points);
    return s;
}

QVector<QPointF> box(double west, double south, double east, double north) {
    return {{west, south}, {east, south}, {east, north}, {west, north}};
}

class QueryShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        maphost::MapData data;
        data.dataSets.push_back(dataSet("Grid", {
                                                    pin("inside", 5, 5),
                                                    pin("west edge", 5, 0),
                                                    pin("corner", 10, 10),
                                                    pin("outside", 11, 5),
                                                    pin("far", -40, 100),
                                                }));
        data.dataSets.push_back(dataSet("Pacific", {
                                                       pin("east of 180", 0, 179.5),
                                                       pin("west of 180", 0, -179.5),
                                                       pin("on 180", 0, 180),
                                                       pin("too far west", 0, -178),
                                                       pin("too far east", 0, 178),
                                                   }));
        map = HostMap::create(data);
    }

    QStringList query(int dataSet, const ShapeData& s) {
        auto shapeObject = map->shapeObject(map->addShape(s));
        return walkNames(map->DataSets()->Item(dataSet)->QueryShape(shapeObject));
    }

    std::shared_ptr<HostMap> map;
};

TEST_F(QueryShapeTest, AreaTypesFindThePointsInsideAndOnTheOutline) {
    const QStringList expected = {"inside", "west edge", "corner"};
    for (ShapeKind kind : {ShapeKind::Rectangle, ShapeKind::Freeform, ShapeKind::DriveTimeZone}) {
        EXPECT_EQ(query(1, shape(kind, box(0, 0, 10, 10))), expected) << int(kind);
    }
    EXPECT_EQ(map->shapeObject(map->addShape(shape(ShapeKind::Oval, box(0, 0, 1, 1))))->Type(), 1);
    EXPECT_EQ(map->shapeObject(map->addShape(shape(ShapeKind::Freeform, {})))->Type(), 5);
    EXPECT_EQ(map->shapeObject(map->addShape(shape(ShapeKind::DriveTimeZone, {})))->Type(), 9);
}

TEST_F(QueryShapeTest, ConcavePolygonLeavesItsNotchOut) {
    // A "U": the notch between the arms holds "inside" (5, 5).
    const QVector<QPointF> u = {{0, 0}, {10, 0}, {10, 10}, {7, 10},
                                {7, 3}, {3, 3},  {3, 10},  {0, 10}};
    EXPECT_EQ(query(1, shape(ShapeKind::Freeform, u)), (QStringList{"west edge", "corner"}));
}

TEST_F(QueryShapeTest, CircleAsPolygon) {
    QVector<QPointF> circle;
    for (int i = 0; i < 72; ++i) {
        const double a = i * 2 * std::numbers::pi / 72;
        circle.push_back({5 + 4 * std::cos(a), 5 + 4 * std::sin(a)});
    }
    EXPECT_EQ(query(1, shape(ShapeKind::RadiusCircle, circle)), (QStringList{"inside"}));
}

TEST_F(QueryShapeTest, ShapesAcrossThe180thMeridian) {
    const QStringList expected = {"east of 180", "west of 180", "on 180"};
    // Longitudes running past 180 ...
    EXPECT_EQ(query(2, shape(ShapeKind::Rectangle, box(179, -1, 181, 1))), expected);
    // ... or below -180.
    EXPECT_EQ(query(2, shape(ShapeKind::Freeform, box(-181, -1, -179, 1))), expected);
    EXPECT_TRUE(query(1, shape(ShapeKind::Rectangle, box(179, -1, 181, 1))).isEmpty());
}

TEST_F(QueryShapeTest, OtherShapesAreNotAreas) {
    for (ShapeKind kind : {ShapeKind::Line, ShapeKind::TextBox}) {
        auto s = map->shapeObject(map->addShape(shape(kind, box(0, 0, 10, 10))));
        EXPECT_NE(s->Type(), 1);
        EXPECT_NE(s->Type(), 5);
        EXPECT_NE(s->Type(), 9);
        try {
            map->DataSets()->Item(1)->QueryShape(s);
            ADD_FAILURE() << "a non-area shape was queried";
        } catch (const automation::Error& e) {
            EXPECT_EQ(e.number(), automation::errors::InvalidArgument);
        }
    }
    EXPECT_THROW(map->DataSets()->Item(1)->QueryShape(nullptr), automation::Error);
}

TEST_F(QueryShapeTest, SelectedAndDeletedShapes) {
    auto s = map->shapeObject(map->addShape(shape(ShapeKind::Rectangle, box(0, 0, 10, 10), "Box")));
    EXPECT_FALSE(map->Selection());
    s->Select();
    auto selected = map->Selection();
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->Type(), 1);
    auto selectedShape = std::dynamic_pointer_cast<mappoint::Shape>(selected);
    ASSERT_TRUE(selectedShape);
    EXPECT_EQ(selectedShape->Name(), "Box");
    s->Delete();
    EXPECT_FALSE(map->Selection());
    try {
        map->DataSets()->Item(1)->QueryShape(s);
        ADD_FAILURE() << "a deleted shape was queried";
    } catch (const automation::Error& e) {
        EXPECT_EQ(e.number(), automation::errors::ObjectDeleted);
    }
}

TEST_F(QueryShapeTest, ZoomToCoversTheDataset) {
    // The view's pixel size the map fits into (the map view reports it).
    map->setViewportSize(QSizeF(640, 480));
    map->SetUnits(mappoint::geoKilometers);
    map->DataSets()->Item(2)->ZoomTo();
    // The Pacific points span 178 E to 178 W: the centre lies on the 180th meridian.
    EXPECT_NEAR(std::abs(map->view().centerLongitude), 180, 1e-9);
    EXPECT_NEAR(map->view().centerLatitude, 0, 1e-9);
    const double spanKm = 4 * std::numbers::pi / 180 * 6371.0088; // 4 degrees of arc
    EXPECT_GE(map->Altitude(), spanKm);
    EXPECT_LE(map->Altitude(), 2 * spanKm);

    map->DataSets()->Item(1)->ZoomTo();
    // Centred between the extremes as the map shows them (Web Mercator), 0 to 100 E.
    EXPECT_NEAR(map->view().centerLongitude, 50, 1e-9);
    EXPECT_LT(map->view().centerLatitude, -14.5);
    EXPECT_GT(map->view().centerLatitude, -20);
    // The view's width holds 100 degrees of longitude at the equator, with a margin.
    EXPECT_GE(map->Altitude(), 100 * std::numbers::pi / 180 * 6371.0088);
    EXPECT_LE(map->Altitude(), 24854);

    auto empty = map->DataSets()->AddPushpinSet("Empty");
    const auto before = map->view();
    empty->ZoomTo();
    EXPECT_EQ(map->view().altitude, before.altitude);
}

} // namespace
