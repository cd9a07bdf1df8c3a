// The Application's commands in a menu and its window position.
#include "AdapterFixture.h"

#include <QAction>
#include <QMainWindow>

namespace {

class Target : public QObject {
    Q_OBJECT
public:
    int calls = 0;
public slots:
    void run() { ++calls; }
};

TEST_F(AdapterTest, CommandsAreMenuActionsCallingTheirTargetByName) {
    auto target = std::make_unique<Target>();
    application_->AddCommand("Locastra...", "run", target.get());
    ASSERT_EQ(menu_.menu.actions().size(), 1);
    EXPECT_EQ(menu_.menu.actions()[0]->text(), "Locastra...");
    menu_.menu.actions()[0]->trigger();
    EXPECT_EQ(target->calls, 1);
    EXPECT_EQ(errorOf([&] { application_->AddCommand("x", "", target.get()); }),
              automation::errors::InvalidArgument);
    application_->RemoveCommands(target.get());
    EXPECT_TRUE(menu_.menu.actions().isEmpty());

    application_->AddCommand("Again", "run", target.get());
    QAction* action = menu_.menu.actions().value(0);
    ASSERT_TRUE(action);
    target.reset();
    action->trigger(); // the target is gone: nothing is called
    application_->RemoveCommands(nullptr);
    EXPECT_TRUE(menu_.menu.actions().isEmpty()) << "entries of dead targets are dropped";
}

TEST_F(AdapterTest, ActiveMapIsTheProjectAndPositionIsTheMainWindowsInTwips) {
    EXPECT_EQ(application_->ActiveMap(), map_);
    QMainWindow window;
    window.move(100, 50);
    window.show();
    qgishost::QgisApplication placed(&project(), canvas_, menu_, appearance_, &window);
    EXPECT_EQ(placed.Left(), desktop::pixelsToTwipsX(window.frameGeometry().left()));
    EXPECT_EQ(placed.Top(), desktop::pixelsToTwipsY(window.frameGeometry().top()));
    EXPECT_EQ(application_->Left(), 0) << "no main window";
}

TEST_F(AdapterTest, UnitsAreTheProjectsDistanceUnit) {
    const std::pair<QgsUnitTypes::DistanceUnit, mappoint::GeoUnits> cases[] = {
        {QgsUnitTypes::DistanceMiles, mappoint::geoMiles},
        {QgsUnitTypes::DistanceMeters, mappoint::geoKilometers},
        {QgsUnitTypes::DistanceFeet, mappoint::geoKilometers},
        {QgsUnitTypes::DistanceKilometers, mappoint::geoKilometers},
    };
    for (const auto& [unit, expected] : cases) {
        project().setDistanceUnits(unit);
        EXPECT_EQ(map_->Units(), expected) << QgsUnitTypes::toString(unit).toStdString();
    }
    map_->SetUnits(mappoint::geoMiles);
    EXPECT_EQ(project().distanceUnits(), QgsUnitTypes::DistanceMiles);
    EXPECT_EQ(errorOf([&] { map_->SetUnits(mappoint::GeoUnits(7)); }),
              automation::errors::InvalidArgument);
}

TEST_F(AdapterTest, GoToCentresTheCanvas) {
    canvas_->setExtent(QgsRectangle(-2e7, -1e7, 2e7, 1e7));
    map_->GetLocation(-33.9, 151.2, 0)->GoTo();
    const QgsPointXY centre = QgsCoordinateTransform(canvas_->mapSettings().destinationCrs(),
                                                     QgsCoordinateReferenceSystem("EPSG:4326"),
                                                     project().transformContext())
                                  .transform(canvas_->center());
    EXPECT_NEAR(centre.x(), 151.2, 1e-6);
    EXPECT_NEAR(centre.y(), -33.9, 1e-6);
}

// A project saved without a view opens with an empty canvas extent: a zoom relative to
// it would leave the map blank, so the altitude makes the view itself.
TEST_F(AdapterTest, AltitudeAndGoToWorkOnACanvasThatHasNoViewYet) {
    canvas_->setExtent(QgsRectangle());
    map_->GetLocation(48.8566, 2.3522, 10)->GoTo();
    ASSERT_GT(canvas_->extent().width(), 0);
    EXPECT_NEAR(map_->Altitude(), 10, 0.5);
    const QgsPointXY centre = QgsCoordinateTransform(canvas_->mapSettings().destinationCrs(),
                                                     QgsCoordinateReferenceSystem("EPSG:4326"),
                                                     project().transformContext())
                                  .transform(canvas_->center());
    EXPECT_NEAR(centre.x(), 2.3522, 1e-3);
    EXPECT_NEAR(centre.y(), 48.8566, 1e-3);
}

} // namespace

#include "ApplicationTest.moc"
