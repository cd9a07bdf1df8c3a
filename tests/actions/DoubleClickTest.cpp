#include "ActionsTestSupport.h"

#include "actions/PushpinActions.h"

using namespace actionstest;

namespace {

class DoubleClick : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        maphost::MapData data;
        maphost::DataSetData set;
        set.name = "Places";
        set.fields = {{"Owner", QMetaType::QString}};
        set.pushpins = {Pin("Alpha", 10, 20, {"Maria"}), Pin("Beta", -30, -40, {"Jon"}),
                        Pin("Gamma", 50, 60, {"Ana"})};
        data.dataSets.push_back(set);
        openMap(data);
        rows.addRow("Alpha", false);
        rows.addRow("Beta", false);
        rows.addRow("Gamma", false);
    }
};

TEST_F(DoubleClick, NothingSelectedDoesNothing) {
    const auto before = view();
    actions::DoubleClickRow(rows);
    EXPECT_EQ(view().altitude, before.altitude);
    EXPECT_EQ(view().centerLatitude, before.centerLatitude);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);
}

TEST_F(DoubleClick, FoundByNameIsCentredSelectedOpenedAndZoomed) {
    rows.rows[1].selected = true;
    rows.rows[2].selected = true;
    actions::DoubleClickRow(rows);
    EXPECT_TRUE(isSelected("Beta"));
    EXPECT_EQ(pinState("Beta").balloonState, 2);
    EXPECT_DOUBLE_EQ(view().centerLatitude, -30);
    EXPECT_DOUBLE_EQ(view().centerLongitude, -40);
    EXPECT_EQ(view().altitude, 10.0);
    // The first success ends the command.
    EXPECT_EQ(pinState("Gamma").balloonState, 0);
}

TEST_F(DoubleClick, LetterCaseFallsBackToTheDeepSearchWithoutSelecting) {
    rows.rows[0].text = "ALPHA";
    rows.rows[0].selected = true;
    actions::DoubleClickRow(rows);
    EXPECT_EQ(pinState("Alpha").balloonState, 2);
    EXPECT_DOUBLE_EQ(view().centerLatitude, 10);
    EXPECT_EQ(view().altitude, 10.0);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);
}

TEST_F(DoubleClick, FieldValueMatchSelects) {
    rows.rows[0].text = "jon";
    rows.rows[0].selected = true;
    actions::DoubleClickRow(rows);
    EXPECT_TRUE(isSelected("Beta"));
    EXPECT_EQ(pinState("Beta").balloonState, 2);
    EXPECT_EQ(view().altitude, 10.0);
}

TEST_F(DoubleClick, RowsNotFoundAnywhereAreSkippedUntilOneIsFound) {
    rows.rows[0].text = "Missing";
    rows.rows[0].selected = true;
    rows.rows[2].selected = true;
    actions::DoubleClickRow(rows);
    EXPECT_TRUE(isSelected("Gamma"));
    EXPECT_EQ(pinState("Gamma").balloonState, 2);
}

TEST_F(DoubleClick, NoHostToReachEndsQuietly) {
    rows.rows[0].selected = true;
    stopHost();
    EXPECT_NO_THROW(actions::DoubleClickRow(rows));
    EXPECT_EQ(pinState("Alpha").balloonState, 0);
    EXPECT_EQ(desktop->calls().size(), 0);
}

TEST_F(DoubleClick, AttachesOnceForAllRows) {
    useFaults();
    rows.rows[0].text = "Missing";
    rows.rows[0].selected = true;
    rows.rows[1].text = "Missing too";
    rows.rows[1].selected = true;
    rows.rows[2].selected = true;
    actions::DoubleClickRow(rows);
    EXPECT_EQ(injector->callCount("Application.ActiveMap"), 1);
    EXPECT_EQ(injector->callCount("Map.FindPushpin"), 3);
    EXPECT_TRUE(isSelected("Gamma"));
}

TEST_F(DoubleClick, FailingStepsAreSkipped) {
    useFaults();
    injector->failAlways("Pushpin.Select");
    injector->failAlways("Location.GoTo");
    rows.rows[1].selected = true;
    actions::DoubleClickRow(rows);
    EXPECT_EQ(pinState("Beta").balloonState, 2);
    EXPECT_EQ(view().altitude, 10.0);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);
}

} // namespace
