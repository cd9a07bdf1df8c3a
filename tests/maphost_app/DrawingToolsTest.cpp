// Each drawing tool makes a shape of the right Type, selects it, and QueryShape on
// an area finds exactly the pushpins inside it.
#include "TestMaps.h"
#include "automation/Error.h"
#include "maphost/view/MapProjection.h"
#include "maphost/view/MapView.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "mappoint/Shape.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

using maphost::DrawingTool;
using maphost::MapProjection;

namespace {

class DrawingToolsTest : public ::testing::Test {
protected:
    // A map centred on 10N 20E at the given altitude, with pushpins placed at the
    // given screen points of a 640 x 480 view.
    void makeMap(double altitude, std::vector<std::pair<QString, QPoint>> places) {
        maphost::ViewData v;
        v.centerLatitude = 10;
        v.centerLongitude = 20;
        v.altitude = altitude;
        const MapProjection proj(v, QSizeF(640, 480));
        std::vector<maphost::PushpinData> pins;
        for (const auto& [name, at] : places) {
            double lat = 0;
            double lon = 0;
            proj.screenToLatLon(at, lat, lon);
            pins.push_back(testmaps::pin(name, lat, lon, 1));
        }
        map = testmaps::mapWith(std::move(pins), 10, 20, altitude);
        view = std::make_unique<maphost::MapView>();
        view->resize(640, 480);
        view->setMap(map);
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &e);
    }
    void press(QPoint at) { send(QEvent::MouseButtonPress, at, Qt::LeftButton); }
    void move(QPoint at) { send(QEvent::MouseMove, at, Qt::LeftButton); }
    void release(QPoint at) { send(QEvent::MouseButtonRelease, at, Qt::NoButton); }
    void drag(QPoint from, QPoint to) {
        press(from);
        move((from + to) / 2);
        move(to);
        release(to);
    }
    void click(QPoint at) {
        press(at);
        release(at);
    }

    // The drawn shape: it must be the map's selection.
    mappoint::ShapePtr selectedShape() {
        auto shape = std::dynamic_pointer_cast<mappoint::Shape>(map->Selection());
        EXPECT_TRUE(shape) << "the drawn shape is not the selection";
        return shape;
    }

    QStringList inside(const mappoint::ShapePtr& shape) {
        QStringList names;
        auto records = map->DataSets()->Item(1)->QueryShape(shape);
        for (; !records->Eof(); records->MoveNext())
            names << records->Pushpin()->Name();
        names.sort();
        return names;
    }

    std::shared_ptr<maphost::HostMap> map;
    std::unique_ptr<maphost::MapView> view;
};

TEST_F(DrawingToolsTest, Rectangle) {
    makeMap(1000, {{"In", {320, 240}}, {"Edge", {410, 330}}, {"Out", {500, 240}}});
    view->setTool(DrawingTool::Rectangle);
    drag({220, 140}, {420, 340});
    auto shape = selectedShape();
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Type(), 1);
    EXPECT_EQ(inside(shape), (QStringList{"Edge", "In"}));
    EXPECT_EQ(view->tool(), DrawingTool::None);
}

TEST_F(DrawingToolsTest, Oval) {
    // "Corner" is inside the bounding rectangle but outside the ellipse.
    makeMap(1000, {{"In", {320, 240}}, {"Corner", {228, 196}}, {"Rim", {410, 240}}});
    view->setTool(DrawingTool::Oval);
    drag({220, 190}, {420, 290});
    auto shape = selectedShape();
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Type(), 1);
    EXPECT_EQ(inside(shape), (QStringList{"In", "Rim"}));
}

TEST_F(DrawingToolsTest, RadiusCircle) {
    makeMap(1000, {{"Centre", {320, 240}}, {"Near", {320, 170}}, {"Far", {450, 240}}});
    view->setTool(DrawingTool::RadiusCircle);
    drag({320, 240}, {420, 240}); // radius 100 pixels
    auto shape = selectedShape();
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Type(), 1);
    EXPECT_EQ(inside(shape), (QStringList{"Centre", "Near"}));
}

TEST_F(DrawingToolsTest, Freeform) {
    // An L-shaped polygon: the notch holds "Notch", which stays outside.
    makeMap(1000, {{"Arm", {250, 300}}, {"Notch", {380, 200}}, {"Foot", {380, 330}}});
    view->setTool(DrawingTool::Freeform);
    const QPoint corners[] = {{220, 140}, {300, 140}, {300, 280}, {420, 280}, {420, 360}};
    for (const QPoint& p : corners)
        click(p);
    click({220, 360});
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(220, 360),
                    view->mapToGlobal(QPointF(220, 360)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(view.get(), &dbl);
    release({220, 360});
    auto shape = selectedShape();
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Type(), 5);
    EXPECT_EQ(map->shapeData(map->selection().id).points.size(), 6);
    EXPECT_EQ(inside(shape), (QStringList{"Arm", "Foot"}));
}

TEST_F(DrawingToolsTest, DriveTimeZone) {
    // 200 miles across 640 pixels: about 0.5 km a pixel; 30 minutes reach 23 to 31 km.
    makeMap(200, {{"Start", {320, 240}}, {"Close", {330, 240}}, {"Remote", {440, 240}}});
    view->setDriveTimeMinutes(30);
    view->setTool(DrawingTool::DriveTimeZone);
    click({320, 240});
    auto shape = selectedShape();
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Type(), 9);
    EXPECT_EQ(inside(shape), (QStringList{"Close", "Start"}));
}

TEST_F(DrawingToolsTest, LineAndTextBoxAreNoAreas) {
    makeMap(1000, {{"In", {320, 240}}});
    view->setTool(DrawingTool::Line);
    drag({200, 240}, {440, 240});
    auto line = selectedShape();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Type(), 2);
    EXPECT_THROW(inside(line), automation::Error);

    view->setTextPrompt([] { return std::optional<QString>(QStringLiteral("Hello")); });
    view->setTool(DrawingTool::TextBox);
    click({300, 200});
    auto text = selectedShape();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Type(), 3);
    EXPECT_EQ(map->shapeData(map->selection().id).text, "Hello");
    EXPECT_THROW(inside(text), automation::Error);

    // A cancelled prompt draws nothing.
    const auto shapes = map->shapeIds().size();
    view->setTextPrompt([] { return std::optional<QString>(); });
    view->setTool(DrawingTool::TextBox);
    click({200, 100});
    EXPECT_EQ(map->shapeIds().size(), shapes);
}

TEST_F(DrawingToolsTest, RadiusCircleAcrossTheDateLineKeepsItsPushpins) {
    maphost::MapData data;
    maphost::DataSetData places;
    places.name = "Places";
    places.pushpins = {testmaps::pin("East", 0, 179.5), testmaps::pin("West", 0, -179.5),
                       testmaps::pin("Away", 0, 170)};
    for (auto& p : places.pushpins)
        p.values.clear();
    data.dataSets.push_back(places);
    data.view.centerLatitude = 0;
    data.view.centerLongitude = 180;
    data.view.altitude = 2000;
    map = maphost::HostMap::create(data);
    view = std::make_unique<maphost::MapView>();
    view->resize(640, 480);
    view->setMap(map);
    view->setTool(DrawingTool::RadiusCircle);
    drag({320, 240}, {360, 240});
    auto shape = selectedShape();
    ASSERT_TRUE(shape);
    EXPECT_EQ(inside(shape), (QStringList{"East", "West"}));
}

} // namespace
