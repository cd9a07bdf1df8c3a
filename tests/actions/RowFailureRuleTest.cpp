#include "ActionsTestSupport.h"

#include "actions/PushpinActions.h"

#include <QListWidget>

using namespace actionstest;

namespace {

// The step-by-step rule with injected host errors: a failing step is skipped, the next
// step and the next row still run, nothing is reported and nothing escapes.
class RowFailureRule : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        maphost::MapData data;
        maphost::DataSetData set;
        set.name = "Pins";
        set.pushpins = {Pin("One", 1, 1), Pin("Two", 2, 2)};
        data.dataSets.push_back(set);
        openMap(data);
        rows.addRow("One", true);
        rows.addRow("Two", true);
        useFaults();
    }
};

TEST_F(RowFailureRule, AttachesAnewForEveryRow) {
    actions::ShowNameOnly(rows);
    EXPECT_EQ(injector->callCount("Application.ActiveMap"), 2);
    EXPECT_EQ(injector->callCount("Map.FindPushpin"), 2);
}

TEST_F(RowFailureRule, FailedSelectStillCentresAndOpens) {
    injector->failAlways("Pushpin.Select");
    actions::ShowInformation(rows);
    EXPECT_EQ(pinState("One").balloonState, 2);
    EXPECT_EQ(pinState("Two").balloonState, 2);
    EXPECT_DOUBLE_EQ(view().centerLatitude, 2);
    EXPECT_EQ(desktop->calls().size(), 0);
}

TEST_F(RowFailureRule, RefusedBalloonOnOneRowLeavesTheNextRow) {
    injector->failAlways("Pushpin.SetBalloonState", "One");
    actions::ShowNameOnly(rows);
    EXPECT_EQ(pinState("One").balloonState, 0);
    EXPECT_EQ(pinState("Two").balloonState, 1);
    EXPECT_TRUE(isSelected("Two"));
}

TEST_F(RowFailureRule, UnreachableMapForOneRowSkipsOnlyThatRow) {
    injector->failNth("Application.ActiveMap", 1);
    actions::CloseBalloon(rows);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::Pushpin);
    EXPECT_TRUE(isSelected("Two"));
}

TEST_F(RowFailureRule, UnreadableHighlightIsNotToggledButTheAltitudeIsSet) {
    injector->failAlways("Pushpin.Highlight", "One");
    actions::ToggleHighlight(rows);
    EXPECT_FALSE(pinState("One").highlight);
    EXPECT_TRUE(pinState("Two").highlight);
    EXPECT_EQ(view().altitude, 10.0);
    EXPECT_EQ(injector->callCount("Map.SetAltitude"), 2);
}

TEST_F(RowFailureRule, FailedDeleteStillRemovesTheRow) {
    injector->failAlways("Pushpin.Delete");
    actions::DeletePushpin(rows);
    EXPECT_TRUE(pinAlive("One"));
    EXPECT_EQ(rows.texts(), QStringList({"Two"}));
}

TEST_F(RowFailureRule, RefusedSymbolStillSelectsAndRepaintsTheRow) {
    injector->failAlways("Pushpin.SetSymbol");
    OnNextModal([](QDialog* d) {
        auto* list = d->findChild<QListWidget*>("ListView1");
        list->item(20)->setSelected(true);
        ClickButton(d, "ButtonSelect");
    });
    actions::ChangePushpinSymbol(rows);
    EXPECT_EQ(pinState("One").symbol, 0);
    EXPECT_TRUE(isSelected("Two"));
    EXPECT_EQ(rows.rows[0].smallIcon, 21);
    EXPECT_EQ(rows.rows[1].smallIcon, 21);
}

} // namespace
