#include "ActionsTestSupport.h"

#include "actions/PushpinActions.h"

using namespace actionstest;

namespace {

class RowActions : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        maphost::MapData data;
        maphost::DataSetData set;
        set.name = "Pins";
        set.pushpins = {Pin("One", 1, 1), Pin("Two", 2, 2), Pin("Three", 3, 3)};
        data.dataSets.push_back(set);
        openMap(data);
        for (const char* name : {"One", "Two", "Three"})
            rows.addRow(name, false);
    }
};

TEST_F(RowActions, NoSelectedRowChangesNothing) {
    const auto before = view();
    actions::ShowInformation(rows);
    actions::ShowNameOnly(rows);
    actions::ToggleHighlight(rows);
    actions::DeletePushpin(rows);
    EXPECT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(view().altitude, before.altitude);
    for (const char* name : {"One", "Two", "Three"}) {
        EXPECT_EQ(pinState(name).balloonState, 0);
        EXPECT_FALSE(pinState(name).highlight);
    }
}

TEST_F(RowActions, BalloonEntriesSelectCentreAndSetTheState) {
    rows.rows[0].selected = true;
    rows.rows[2].selected = true;
    const double altitude = view().altitude;
    actions::ShowNameOnly(rows);
    EXPECT_EQ(pinState("One").balloonState, 1);
    EXPECT_EQ(pinState("Two").balloonState, 0);
    EXPECT_EQ(pinState("Three").balloonState, 1);
    EXPECT_TRUE(isSelected("Three"));
    EXPECT_DOUBLE_EQ(view().centerLatitude, 3);
    EXPECT_EQ(view().altitude, altitude);

    actions::ShowInformation(rows);
    EXPECT_EQ(pinState("One").balloonState, 2);
    EXPECT_EQ(pinState("Three").balloonState, 2);

    rows.rows[2].selected = false;
    actions::CloseBalloon(rows);
    EXPECT_EQ(pinState("One").balloonState, 0);
    EXPECT_EQ(pinState("Three").balloonState, 2);
    EXPECT_TRUE(isSelected("One"));
    EXPECT_DOUBLE_EQ(view().centerLatitude, 1);
    // Closing a closed balloon keeps it closed; the pushpin is still selected.
    actions::CloseBalloon(rows);
    EXPECT_EQ(pinState("One").balloonState, 0);
    EXPECT_TRUE(isSelected("One"));
}

TEST_F(RowActions, HighlightTogglesEachPushpinFromItsOwnState) {
    rows.rows[0].selected = true;
    actions::ToggleHighlight(rows);
    EXPECT_TRUE(pinState("One").highlight);
    EXPECT_EQ(view().altitude, 10.0);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);

    rows.rows[1].selected = true;
    actions::ToggleHighlight(rows);
    EXPECT_FALSE(pinState("One").highlight);
    EXPECT_TRUE(pinState("Two").highlight);
    EXPECT_DOUBLE_EQ(view().centerLatitude, 2);
}

TEST_F(RowActions, HighlightStillZoomsForARowWithoutPushpin) {
    rows.rows[0].text = "Gone";
    rows.rows[0].selected = true;
    map->setView({0, 0, 500, 0});
    actions::ToggleHighlight(rows);
    EXPECT_EQ(view().altitude, 10.0);
}

TEST_F(RowActions, DeleteTakesOnlyTheFirstSelectedRow) {
    for (auto& row : rows.rows)
        row.selected = true;
    actions::DeletePushpin(rows);
    EXPECT_FALSE(pinAlive("One"));
    EXPECT_TRUE(pinAlive("Two"));
    EXPECT_TRUE(pinAlive("Three"));
    EXPECT_EQ(rows.texts(), QStringList({"Two", "Three"}));
}

TEST_F(RowActions, DeleteRemovesTheRowEvenWhenThePushpinIsGone) {
    rows.rows[1].text = "Vanished";
    rows.rows[1].selected = true;
    rows.rows[2].selected = true;
    actions::DeletePushpin(rows);
    EXPECT_EQ(rows.texts(), QStringList({"One", "Three"}));
    EXPECT_EQ(map->pushpinCount(), 3);
}

} // namespace
