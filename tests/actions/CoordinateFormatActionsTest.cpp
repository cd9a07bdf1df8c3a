#include "ActionsTestSupport.h"

#include "actions/CopyLatLonAction.h"
#include "actions/PushpinActions.h"
#include "actions/PushpinInformation.h"
#include "geo/CoordinateFormatSetting.h"

using namespace actionstest;
using geo::CoordinateFormat;
using Kind = desktop::RecordedCall::Kind;

namespace {

// The three pushpins of the map, in each format, as Get Lat/Lon shows them, as Copy
// Lat/Lon copies them and as the information window's position lines end.
struct Expected {
    CoordinateFormat format;
    const char* message;   // Get Lat/Lon for "Needle"
    const char* copied;    // Copy Lat/Lon for "Needle" and "Rio": name, latitude, longitude
                           // columns (one grid reference column in the grid formats)
    const char* infoLines; // the information window's position lines for "Rio"
};

class CoordinateFormatActions : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        actions::g_sPushpinInfo.clear();
        openLandmarks();
    }
    void select(std::initializer_list<int> indices) {
        for (int i : indices)
            rows.rows[size_t(i)].selected = true;
    }
};

const Expected expectations[] = {
    {CoordinateFormat::AsDerived, "47.6205 , -122.3493",
     "Needle\t47.6205\t-122.3493\nRio\t-22.9519\t-43.2105",
     "Latitude: -22.9519\r\nLongitude: -43.2105"},
    {CoordinateFormat::DecimalDegrees, "47.620500 , -122.349300",
     "Needle\t47.620500\t-122.349300\nRio\t-22.951900\t-43.210500",
     "Latitude: -22.951900\r\nLongitude: -43.210500"},
    {CoordinateFormat::DegreesMinutesSeconds, "47°37′13.8″N 122°20′57.5″W",
     "Needle\t47°37′13.8″N\t122°20′57.5″W\nRio\t22°57′06.8″S\t43°12′37.8″W",
     "Latitude: 22°57′06.8″S\r\nLongitude: 43°12′37.8″W"},
    {CoordinateFormat::DegreesDecimalMinutes, "47°37.230′N 122°20.958′W",
     "Needle\t47°37.230′N\t122°20.958′W\nRio\t22°57.114′S\t43°12.630′W",
     "Latitude: 22°57.114′S\r\nLongitude: 43°12.630′W"},
    {CoordinateFormat::UtmUps, "10T 548894 5274327",
     "Needle\t10T 548894 5274327\nRio\t23K 683477 7460687",
     "Latitude: -22.9519\r\nLongitude: -43.2105\r\nUTM: 23K 683477 7460687"},
    {CoordinateFormat::Mgrs, "10T ET 48894 74326",
     "Needle\t10T ET 48894 74326\nRio\t23K PQ 83476 60687",
     "Latitude: -22.9519\r\nLongitude: -43.2105\r\nMGRS: 23K PQ 83476 60687"},
};

TEST_F(CoordinateFormatActions, EachCommandShowsTheChosenFormat) {
    for (const Expected& e : expectations) {
        SCOPED_TRACE(geo::CoordinateFormatKey(e.format).toStdString());
        geo::ChooseCoordinateFormat(e.format);
        for (auto& row : rows.rows)
            row.selected = false;
        desktop->clearCalls();

        select({0});
        actions::GetLatLon(rows);
        const auto boxes = desktop->callsOf(Kind::MessageBox);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].text, QString::fromUtf8(e.message));

        select({2});
        actions::CopyLatLon(rows);
        EXPECT_EQ(desktop->clipboardContents(), QString::fromUtf8(e.copied));

        rows.rows[0].selected = false;
        actions::g_sPushpinInfo.clear();
        OnNextModal([](QDialog* dialog) { dialog->reject(); });
        actions::ShowPushpinInformation(rows);
        EXPECT_TRUE(actions::g_sPushpinInfo.endsWith(QString::fromUtf8(e.infoLines)))
            << actions::g_sPushpinInfo.toStdString();
    }
}

TEST_F(CoordinateFormatActions, CopyLeavesOutPushpinsNotFoundAndCounts) {
    rows.addRow("Nowhere", true);
    select({1, 2});
    actions::CopyLatLon(rows);
    const auto puts = desktop->callsOf(Kind::SetClipboardText);
    ASSERT_EQ(puts.size(), 1);
    EXPECT_EQ(puts[0].text, "Harbour\t-33.8568\t151.2153\nRio\t-22.9519\t-43.2105");
    EXPECT_EQ(rows.statusText, "Copied 2 of 3 positions");
    // Every row copied is derived: the variables hold the last one.
    EXPECT_NEAR(rows.lat, -22.9519, 1e-9);
}

TEST_F(CoordinateFormatActions, CopyWithNothingFoundKeepsTheClipboard) {
    desktop->setClipboardText("kept");
    desktop->clearCalls();
    actions::CopyLatLon(rows);
    EXPECT_EQ(rows.statusText, "Copied 0 of 0 positions");
    rows.rows[0].text = "Gone";
    select({0});
    actions::CopyLatLon(rows);
    EXPECT_EQ(rows.statusText, "Copied 0 of 1 positions");
    EXPECT_EQ(desktop->count(Kind::SetClipboardText), 0);
    EXPECT_EQ(desktop->clipboardContents(), "kept");
}

TEST_F(CoordinateFormatActions, CopySkipsARowWhoseDerivationFails) {
    select({0, 1});
    useFaults();
    // Every distance the host measures fails: no position can be derived.
    injector->failAlways("Map.Distance");
    actions::CopyLatLon(rows);
    EXPECT_EQ(desktop->count(Kind::SetClipboardText), 0);
    EXPECT_EQ(rows.statusText, "Copied 0 of 2 positions");
}

TEST_F(CoordinateFormatActions, AnUnknownStoredFormatMeansAsDerived) {
    desktop->setSetting("Locastra", "Settings", "CoordinateFormat", "Sexagesimal");
    EXPECT_EQ(geo::ChosenCoordinateFormat(), CoordinateFormat::AsDerived);
    desktop->removeSetting("Locastra", "Settings", "CoordinateFormat");
    EXPECT_EQ(geo::ChosenCoordinateFormat(), CoordinateFormat::AsDerived);
    geo::ChooseCoordinateFormat(CoordinateFormat::Mgrs);
    const auto writes = desktop->callsOf(Kind::WriteSetting);
    ASSERT_EQ(writes.size(), 1);
    EXPECT_EQ(writes[0].application, "Locastra");
    EXPECT_EQ(writes[0].section, "Settings");
    EXPECT_EQ(writes[0].key, "CoordinateFormat");
    EXPECT_EQ(geo::ChosenCoordinateFormat(), CoordinateFormat::Mgrs);
}

} // namespace
