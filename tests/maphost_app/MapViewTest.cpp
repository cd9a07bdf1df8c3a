// The map view shows what the object model does: symbols, GoTo, ZoomTo, altitude,
// balloons, highlight and selection, checked on rendered pixels; clicks select,
// Delete removes, keys and wheel move the map's own view.
#include "maphost/view/MapView.h"
#include "TestMaps.h"
#include "maphost/view/MapProjection.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Location.h"
#include "mappoint/Pushpin.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>

using maphost::MapRenderer;
using testmaps::countColour;
using testmaps::mapWith;
using testmaps::pin;
using testmaps::render;
using testmaps::screenOf;
using testmaps::showsPicture;

namespace {

const QColor BalloonFill(255, 255, 250);
const QColor HighlightColour(255, 226, 0);
const QColor SelectionColour(20, 70, 160);
const QPoint Centre(320, 240);

// Rows of column x (from y0 up to the top) painted in the balloon colour.
int balloonRows(const QImage& image, int x, int y0) {
    return countColour(image, QRect(x, 0, 1, y0), BalloonFill, 6);
}

TEST(MapView, DrawsEachPushpinWithItsSymbolAndFollowsSymbolChanges) {
    auto map = mapWith({pin("A", 0, 0, 5), pin("B", 0, 2, 9)}, 0, 1, 800);
    MapRenderer renderer;
    renderer.setMap(map);
    QImage image = render(renderer);
    EXPECT_TRUE(showsPicture(image, screenOf(renderer, 0, 0), map->symbolImage(5)));
    EXPECT_TRUE(showsPicture(image, screenOf(renderer, 0, 2), map->symbolImage(9)));

    map->FindPushpin("A")->SetSymbol(200);
    image = render(renderer);
    EXPECT_TRUE(showsPicture(image, screenOf(renderer, 0, 0), map->symbolImage(200)));
    EXPECT_FALSE(showsPicture(image, screenOf(renderer, 0, 0), map->symbolImage(5)));
}

TEST(MapView, GoToPutsTheLocationAtTheCentreOfTheView) {
    auto map = mapWith({pin("Here", 10, 10, 3), pin("There", -30, 100, 7)}, 10, 10, 500);
    MapRenderer renderer;
    renderer.setMap(map);
    QImage image = render(renderer);
    EXPECT_TRUE(showsPicture(image, Centre, map->symbolImage(3)));
    EXPECT_FALSE(showsPicture(image, Centre, map->symbolImage(7)));

    map->FindPushpin("There")->Location()->GoTo();
    image = render(renderer);
    EXPECT_EQ(screenOf(renderer, -30, 100), Centre);
    EXPECT_TRUE(showsPicture(image, Centre, map->symbolImage(7)));
    EXPECT_EQ(renderer.hitTest(Centre).kind, MapRenderer::Hit::Pushpin);
}

TEST(MapView, AltitudeSetsTheScale) {
    auto map = mapWith({pin("West", 0, 0, 1), pin("East", 0, 1, 2)}, 0, 0.5, 400);
    MapRenderer renderer;
    renderer.setMap(map);
    render(renderer);
    const double wide = screenOf(renderer, 0, 1).x() - screenOf(renderer, 0, 0).x();
    map->SetAltitude(200);
    const QImage image = render(renderer);
    const double narrow = screenOf(renderer, 0, 1).x() - screenOf(renderer, 0, 0).x();
    EXPECT_NEAR(narrow / wide, 2.0, 0.02);
    EXPECT_TRUE(showsPicture(image, screenOf(renderer, 0, 1), map->symbolImage(2)));
}

TEST(MapView, DataSetZoomToBringsEveryPushpinIntoView) {
    auto map =
        mapWith({pin("P1", -10, -50, 1), pin("P2", 40, 60, 2), pin("P3", 15, 5, 3)}, -60, 150, 300);
    MapRenderer renderer;
    renderer.setMap(map);
    render(renderer);
    EXPECT_EQ(renderer.lastFrame().pins, 0u);

    map->DataSets()->Item(1)->ZoomTo();
    const QImage image = render(renderer);
    EXPECT_EQ(renderer.lastFrame().pins, 3u);
    const QRect inside = image.rect().adjusted(8, 8, -8, -8);
    for (auto [lat, lon, symbol] : {std::tuple{-10.0, -50.0, 1}, {40.0, 60.0, 2}, {15.0, 5.0, 3}}) {
        const QPoint at = screenOf(renderer, lat, lon);
        EXPECT_TRUE(inside.contains(at)) << lat << "," << lon;
        EXPECT_TRUE(showsPicture(image, at, map->symbolImage(symbol)));
    }
}

// DataSet.ZoomTo fits every pushpin into the view the map is shown in, with room for
// the symbols at the edges, on a few layouts and view shapes; and it does not zoom out
// further than the layout needs.
TEST(MapView, ZoomToFitsEveryLayoutIntoTheViewWithAMargin) {
    using Layout = std::vector<std::pair<double, double>>;
    std::vector<std::pair<std::string, Layout>> layouts;
    // The demo's capitals: most of the world.
    layouts.push_back({"capitals",
                       {{38.9, -77.0},
                        {45.4, -75.7},
                        {-15.8, -47.9},
                        {-34.6, -58.4},
                        {51.5, -0.1},
                        {55.8, 37.6},
                        {39.9, 116.4},
                        {35.7, 139.7},
                        {-35.3, 149.1},
                        {-41.3, 174.8},
                        {30.0, 31.2},
                        {-1.3, 36.8},
                        {-25.7, 28.2},
                        {28.6, 77.2},
                        {64.1, -21.9}}});
    // The benchmark's grid: 18 columns of 11 rows, 31 to 48 N, 120 to 77 W.
    Layout grid;
    for (int c = 0; c < 18; ++c)
        for (int r = 0; r < 11; ++r)
            grid.push_back({31 + r * 17.0 / 10, -120 + c * 43.0 / 17});
    layouts.push_back({"benchmark grid", grid});
    // On both sides of the 180th meridian.
    layouts.push_back({"pacific",
                       {{-18.1, 178.4},
                        {-13.8, -171.8},
                        {-21.1, -175.2},
                        {53.0, 158.6},
                        {64.8, -147.7},
                        {-8.5, 179.2}}});
    // Tall and narrow, and one pushpin alone.
    layouts.push_back({"chile", {{-18.5, -70.3}, {-33.4, -70.7}, {-53.2, -70.9}, {-41.5, -72.9}}});
    layouts.push_back({"one", {{48.86, 2.35}}});

    for (const QSize size : {QSize(640, 480), QSize(300, 600), QSize(1000, 500)}) {
        for (const auto& [name, layout] : layouts) {
            std::vector<maphost::PushpinData> pins;
            for (size_t i = 0; i < layout.size(); ++i)
                pins.push_back(pin(QString::number(i), layout[i].first, layout[i].second, 1));
            auto map = mapWith(pins, 0, 0, 24854);
            map->setViewportSize(size);
            map->DataSets()->Item(1)->ZoomTo();
            MapRenderer renderer;
            renderer.setMap(map);
            const QImage image = render(renderer, size);
            // A symbol is drawn centred on its point, up to 32 pixels: 16 pixels of it
            // must fit on every side.
            const QRect inside = image.rect().adjusted(16, 16, -16, -16);
            QRect spread;
            for (const auto& [lat, lon] : layout) {
                const QPoint at = screenOf(renderer, lat, lon, size);
                EXPECT_TRUE(inside.contains(at))
                    << name << " in " << size.width() << "x" << size.height() << ": " << lat << ","
                    << lon << " at " << at.x() << "," << at.y();
                spread = spread.isNull() ? QRect(at, QSize(1, 1))
                                         : spread.united(QRect(at, QSize(1, 1)));
            }
            EXPECT_TRUE(showsPicture(image,
                                     screenOf(renderer, layout[0].first, layout[0].second, size),
                                     map->symbolImage(1)))
                << name;
            // Tight: the pushpins span over half the view in one direction at least
            // (unless the whole world is already in view).
            if (layout.size() > 1 && map->view().altitude < 24854) {
                EXPECT_TRUE(spread.width() > size.width() / 2 ||
                            spread.height() > size.height() / 2)
                    << name << " in " << size.width() << "x" << size.height() << ": spread "
                    << spread.width() << "x" << spread.height();
            }
        }
    }
}

TEST(MapView, TheViewReportsItsSizeForZoomTo) {
    auto map = mapWith({pin("West", 0, -60, 1), pin("East", 0, 60, 2), pin("North", 50, 0, 3)}, 0,
                       0, 24854);
    maphost::MapView view;
    view.resize(500, 260);
    view.show();
    view.setMap(map);
    EXPECT_EQ(map->viewportSize(), QSizeF(500, 260));
    view.resize(260, 500);
    EXPECT_EQ(map->viewportSize(), QSizeF(260, 500));
    map->DataSets()->Item(1)->ZoomTo();
    const QImage image = view.renderImage();
    for (const auto& [lat, lon, symbol] :
         {std::tuple{0.0, -60.0, 1}, {0.0, 60.0, 2}, {50.0, 0.0, 3}}) {
        const maphost::MapProjection projection(map->view(), QSizeF(view.size()));
        const QPoint at = projection.toScreen(lat, lon).toPoint();
        EXPECT_TRUE(image.rect().adjusted(16, 16, -16, -16).contains(at)) << lat << "," << lon;
        EXPECT_TRUE(showsPicture(image, at, map->symbolImage(symbol))) << lat << "," << lon;
    }
}

TEST(MapView, BalloonShowsNameOnlyOrEverything) {
    auto map = mapWith({pin("Solo", 0, 0, 1)}, 0, 0, 500);
    auto solo = map->FindPushpin("Solo");
    solo->SetNote("A note worth reading");
    MapRenderer renderer;
    renderer.setMap(map);
    const int column = Centre.x() + 30;

    QImage image = render(renderer);
    EXPECT_EQ(balloonRows(image, column, Centre.y()), 0);
    EXPECT_EQ(renderer.lastFrame().balloons, 0u);

    solo->SetBalloonState(1);
    image = render(renderer);
    const int nameOnly = balloonRows(image, column, Centre.y());
    EXPECT_GT(nameOnly, 8);
    EXPECT_EQ(renderer.lastFrame().balloons, 1u);

    solo->SetBalloonState(2);
    image = render(renderer);
    const int full = balloonRows(image, column, Centre.y());
    // Name, note and the two fields: four lines more than the name alone... at least
    // three lines' worth taller.
    EXPECT_GT(full, nameOnly + 30);

    solo->SetBalloonState(0);
    image = render(renderer);
    EXPECT_EQ(balloonRows(image, column, Centre.y()), 0);
}

TEST(MapView, HighlightAndSelectionAreDrawn) {
    auto map = mapWith({pin("Marked", 0, 0, 1), pin("Other", 0, 3, 1)}, 0, 1.5, 800);
    MapRenderer renderer;
    renderer.setMap(map);
    auto marked = map->FindPushpin("Marked");
    const auto around = [&](const char* name) {
        const QPoint at =
            name == QString("Marked") ? screenOf(renderer, 0, 0) : screenOf(renderer, 0, 3);
        return QRect(at - QPoint(16, 16), QSize(33, 33));
    };

    QImage image = render(renderer);
    EXPECT_EQ(countColour(image, around("Marked"), HighlightColour), 0);
    EXPECT_EQ(countColour(image, around("Marked"), SelectionColour, 12), 0);

    marked->SetHighlight(true);
    image = render(renderer);
    EXPECT_GT(countColour(image, around("Marked"), HighlightColour), 60);
    EXPECT_EQ(countColour(image, around("Other"), HighlightColour), 0);
    EXPECT_TRUE(showsPicture(image, screenOf(renderer, 0, 0), map->symbolImage(1)));

    map->FindPushpin("Other")->Select();
    image = render(renderer);
    EXPECT_GT(countColour(image, around("Other"), SelectionColour, 12), 40);
    EXPECT_EQ(countColour(image, around("Marked"), SelectionColour, 12), 0);

    marked->SetHighlight(false);
    image = render(renderer);
    EXPECT_EQ(countColour(image, around("Marked"), HighlightColour), 0);
}

TEST(MapView, DenseAreasAggregateAtSmallScales) {
    std::vector<maphost::PushpinData> pins;
    for (int i = 0; i < 20000; ++i)
        pins.push_back(pin(QString::number(i), 40 + (i % 200) * 0.05, -100 + (i / 200) * 0.1, 1));
    auto map = mapWith(std::move(pins), 45, -95, 20000);
    MapRenderer renderer;
    renderer.setMap(map);
    render(renderer);
    EXPECT_GT(renderer.lastFrame().clusters, 0u);
    EXPECT_LT(renderer.lastFrame().pins, 500u);

    map->SetAltitude(5);
    render(renderer);
    EXPECT_EQ(renderer.lastFrame().clusters, 0u);
    EXPECT_GT(renderer.lastFrame().pins, 0u);
    EXPECT_LT(renderer.lastFrame().pins, 200u);
}

void click(QWidget& w, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &release);
}

void key(QWidget& w, int k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}

TEST(MapView, ClickSelectsAndDeleteRemoves) {
    auto map = mapWith({pin("Target", 0, 0, 1), pin("Keep", 0, 4, 1)}, 0, 2, 1000);
    maphost::ShapeData square;
    square.kind = maphost::ShapeKind::Rectangle;
    square.points = {{-1, 5}, {1, 5}, {1, 3}, {-1, 3}};
    const maphost::ShapeId squareId = map->addShape(square);
    maphost::MapView view;
    view.resize(640, 480);
    view.setMap(map);
    view.renderer().setLandLayer(nullptr);
    map->flushSignals();
    view.renderImage();

    const MapRenderer& r = view.renderer();
    click(view, screenOf(r, 0, 0, view.size()));
    ASSERT_EQ(map->selection().kind, maphost::MapSelection::Pushpin);
    EXPECT_EQ(map->pushpinObject(map->selection().id)->Name(), "Target");

    click(view, screenOf(r, 4, 0, view.size()));
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::Shape);
    EXPECT_EQ(map->selection().id, squareId);

    click(view, screenOf(r, -8, 2, view.size()));
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);

    click(view, screenOf(r, 0, 0, view.size()));
    key(view, Qt::Key_Delete);
    EXPECT_FALSE(map->FindPushpin("Target"));
    EXPECT_TRUE(map->FindPushpin("Keep"));
    EXPECT_EQ(map->pushpinCount(), 1);

    map->selectShape(squareId);
    key(view, Qt::Key_Delete);
    EXPECT_FALSE(map->isShapeAlive(squareId));
    // Nothing selected: Delete does nothing.
    key(view, Qt::Key_Delete);
    EXPECT_EQ(map->pushpinCount(), 1);
}

TEST(MapView, DraggingPansWithoutChangingTheSelection) {
    auto map = mapWith({pin("A", 0, 0, 1)}, 0, 0, 1000);
    map->FindPushpin("A")->Select();
    maphost::MapView view;
    view.resize(640, 480);
    view.setMap(map);
    const maphost::MapProjection before = view.renderer().projection(view.size());
    const QPointF grabbed = before.screenToWorld(QPointF(320, 240));
    auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    };
    send(QEvent::MouseButtonPress, {320, 240}, Qt::LeftButton);
    send(QEvent::MouseMove, {300, 250}, Qt::LeftButton);
    send(QEvent::MouseMove, {220, 290}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {220, 290}, Qt::NoButton);

    // The world point grabbed stays under the pointer.
    const maphost::MapProjection after = view.renderer().projection(view.size());
    const QPointF now = after.worldToScreen(grabbed);
    EXPECT_NEAR(now.x(), 220, 0.5);
    EXPECT_NEAR(now.y(), 290, 0.5);
    EXPECT_GT(map->view().centerLongitude, 0);
    EXPECT_GT(map->view().centerLatitude, 0);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::Pushpin);
}

TEST(MapView, KeysAndWheelMoveTheMapsOwnView) {
    auto map = mapWith({pin("A", 0, 0, 1)}, 20, 30, 1000);
    maphost::MapView view;
    view.resize(640, 480);
    view.setMap(map);

    key(view, Qt::Key_Left);
    EXPECT_LT(map->view().centerLongitude, 30);
    key(view, Qt::Key_Up);
    EXPECT_GT(map->view().centerLatitude, 20);
    key(view, Qt::Key_Plus);
    EXPECT_LT(map->Altitude(), 1000);
    const double zoomedIn = map->Altitude();
    key(view, Qt::Key_Minus);
    key(view, Qt::Key_Minus);
    EXPECT_GT(map->Altitude(), zoomedIn);

    const double before = map->Altitude();
    QWheelEvent wheel(QPointF(320, 240), view.mapToGlobal(QPointF(320, 240)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_LT(map->Altitude(), before);
    // Zooming never leaves the altitude range the map accepts.
    for (int i = 0; i < 80; ++i)
        key(view, Qt::Key_Minus);
    EXPECT_LE(map->Altitude(), 24854);
}

} // namespace
