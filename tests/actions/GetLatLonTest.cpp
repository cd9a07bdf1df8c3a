#include "ActionsTestSupport.h"

#include "actions/PushpinActions.h"

#include <QLocale>

using namespace actionstest;
using Kind = desktop::RecordedCall::Kind;

namespace {

class GetLatLon : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        openLandmarks();
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        ActionsTest::TearDown();
    }
};

TEST_F(GetLatLon, NoSelectedRowShowsNothing) {
    actions::GetLatLon(rows);
    EXPECT_EQ(desktop->count(Kind::MessageBox), 0);
}

TEST_F(GetLatLon, OneMessagePerSelectedRowInListOrder) {
    for (auto& row : rows.rows)
        row.selected = true;
    const auto before = view();
    actions::GetLatLon(rows);
    const auto boxes = desktop->callsOf(Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0].text, "47.6205 , -122.3493");
    EXPECT_EQ(boxes[1].text, "-33.8568 , 151.2153");
    EXPECT_EQ(boxes[2].text, "-22.9519 , -43.2105");
    for (const auto& box : boxes) {
        EXPECT_EQ(box.title, "Locastra");
        EXPECT_EQ(box.icon, desktop::Icon::None);
        EXPECT_EQ(box.buttons, desktop::Buttons::Ok);
    }
    EXPECT_NEAR(rows.lat, -22.9519, 1e-9);
    EXPECT_NEAR(rows.lon, -43.2105, 1e-9);
    // The map view is left alone.
    EXPECT_EQ(view().centerLatitude, before.centerLatitude);
    EXPECT_EQ(view().altitude, before.altitude);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);
}

TEST_F(GetLatLon, CommaDecimalSeparatorKeepsTheSpacedComma) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    rows.rows[0].selected = true;
    actions::GetLatLon(rows);
    const auto boxes = desktop->callsOf(Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].text, "47,6205 , -122,3493");
}

TEST_F(GetLatLon, MissingPushpinStillGetsItsOwnMessage) {
    rows.rows[0].selected = true;
    rows.rows[1].text = "Nowhere";
    rows.rows[1].selected = true;
    actions::GetLatLon(rows);
    const auto boxes = desktop->callsOf(Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].text, "47.6205 , -122.3493");
    EXPECT_EQ(boxes[1].text, "No pushpin named \"Nowhere\" was found on the map.");
    EXPECT_EQ(boxes[1].title, "Locastra");
    // The variables keep the last position derived.
    EXPECT_NEAR(rows.lat, 47.6205, 1e-9);
}

TEST_F(GetLatLon, FailedDerivationSaysSoAndGoesOn) {
    useFaults();
    injector->failNth("Map.Distance", 2); // the first row's first measurement
    rows.rows[0].selected = true;
    rows.rows[2].selected = true;
    actions::GetLatLon(rows);
    const auto boxes = desktop->callsOf(Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].text, "The position of \"Needle\" could not be derived.");
    EXPECT_EQ(boxes[1].text, "-22.9519 , -43.2105");
}

TEST_F(GetLatLon, UnreachableHostStillShowsOneMessagePerRow) {
    rows.rows[0].selected = true;
    rows.rows[1].selected = true;
    stopHost();
    actions::GetLatLon(rows);
    const auto boxes = desktop->callsOf(Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].text, "The map could not be reached to find \"Harbour\".");
}

} // namespace
