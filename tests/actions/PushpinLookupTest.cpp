#include "ActionsTestSupport.h"

#include "actions/PushpinLookup.h"
#include "automation/ClassRegistry.h"
#include "mappoint/Application.h"
#include "mappoint/Pushpin.h"

#include <QLocale>
#include <QMetaType>

using namespace actionstest;
using actions::FindPushpinForRow;
using actions::SearchPushpinForRow;

namespace {

maphost::DataSetData Set(const QString& name, QVector<maphost::FieldDef> fields,
                         std::vector<maphost::PushpinData> pins) {
    maphost::DataSetData set;
    set.name = name;
    set.fields = std::move(fields);
    set.pushpins = std::move(pins);
    return set;
}

const QVector<maphost::FieldDef> ThreeFields = {
    {"City", QMetaType::QString}, {"Code", QMetaType::LongLong}, {"Rating", QMetaType::Double}};

class Lookup : public ActionsTest {
protected:
    void SetUp() override {
        ActionsTest::SetUp();
        maphost::MapData data;
        data.dataSets.push_back(Set("Shops", ThreeFields,
                                    {Pin("Corner Shop", 48.1, 11.5, {"Munich", 80331, 4.5}),
                                     Pin("Bakery", 48.2, 11.6, {"Seattle", 98101, 3.25}),
                                     Pin("Kiosk", 48.3, 11.7, {QVariant(), 1, 2.0})}));
        data.dataSets.push_back(
            Set("Other", {{"Label", QMetaType::QString}},
                {Pin("SEATTLE office", 47.6, -122.3, {"seattle"}),
                 Pin("corner shop", 10, 10, {"x"}), Pin("Straße Süd", 11, 11, {"ÖL"})}));
        openMap(data);
    }
};

TEST_F(Lookup, FindIsExactAndCaseSensitive) {
    auto pin = FindPushpinForRow(map, "Bakery");
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->Name(), "Bakery");
    EXPECT_FALSE(FindPushpinForRow(map, "bakery"));
    EXPECT_FALSE(FindPushpinForRow(map, "Bakery "));
    EXPECT_EQ(FindPushpinForRow(map, "corner shop")->Name(), "corner shop");
}

TEST_F(Lookup, DeepSearchByNameCentresZoomsAndOpensBalloonWithoutSelecting) {
    ASSERT_TRUE(SearchPushpinForRow(map, "KIOSK"));
    EXPECT_EQ(pinState("Kiosk").balloonState, 2);
    EXPECT_DOUBLE_EQ(view().centerLatitude, 48.3);
    EXPECT_DOUBLE_EQ(view().centerLongitude, 11.7);
    EXPECT_EQ(view().altitude, 10.0);
    EXPECT_EQ(map->selection().kind, maphost::MapSelection::None);
}

TEST_F(Lookup, DeepSearchByFieldValueSelectsTheRecordsPushpin) {
    // "seattle" is a field value of Bakery (first dataset) and of SEATTLE office:
    // the first dataset's record wins.
    ASSERT_TRUE(SearchPushpinForRow(map, "SeAttle"));
    EXPECT_EQ(pinState("Bakery").balloonState, 2);
    EXPECT_EQ(pinState("SEATTLE office").balloonState, 0);
    EXPECT_TRUE(isSelected("Bakery"));
    EXPECT_DOUBLE_EQ(view().centerLatitude, 48.2);
    EXPECT_EQ(view().altitude, 10.0);
}

TEST_F(Lookup, NameTestComesBeforeTheFieldsAndEarlierDatasetsWin) {
    // "Corner Shop" (first dataset) matches by name before "corner shop" (second).
    ASSERT_TRUE(SearchPushpinForRow(map, "CORNER SHOP"));
    EXPECT_EQ(pinState("Corner Shop").balloonState, 2);
    EXPECT_EQ(pinState("corner shop").balloonState, 0);
}

TEST_F(Lookup, LowerCasingCoversLettersBeyondAscii) {
    ASSERT_TRUE(SearchPushpinForRow(map, "STRAßE SÜD"));
    EXPECT_EQ(pinState("Straße Süd").balloonState, 2);
    ASSERT_TRUE(SearchPushpinForRow(map, "öl"));
    EXPECT_TRUE(isSelected("Straße Süd"));
}

TEST_F(Lookup, NumbersAreComparedAsTheirText) {
    ASSERT_TRUE(SearchPushpinForRow(map, "3.25"));
    EXPECT_TRUE(isSelected("Bakery"));
    ASSERT_TRUE(SearchPushpinForRow(map, "80331"));
    EXPECT_TRUE(isSelected("Corner Shop"));
    // Numbers read with the user's decimal separator.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool commaFound = SearchPushpinForRow(map, "4,5");
    const bool pointFound = SearchPushpinForRow(map, "4.5");
    QLocale::setDefault(QLocale::c());
    EXPECT_TRUE(commaFound);
    EXPECT_FALSE(pointFound);
}

TEST_F(Lookup, NoMatchAndNoValueNeverMatches) {
    EXPECT_FALSE(SearchPushpinForRow(map, "Nowhere"));
    // Kiosk's City has no value: an empty row text does not match it.
    EXPECT_FALSE(SearchPushpinForRow(map, ""));
    EXPECT_EQ(view().altitude, maphost::ViewData().altitude);
}

TEST_F(Lookup, UnreadableDatasetsAndRecordsArePassedOver) {
    useFaults();
    // The first dataset cannot be queried: the second one's match is found.
    injector->failAlways("DataSet.QueryAllRecords", "Shops");
    auto faulty =
        automation::GetObjectAs<mappoint::Application>("MapPoint.Application")->ActiveMap();
    ASSERT_TRUE(SearchPushpinForRow(faulty, "seattle"));
    EXPECT_TRUE(isSelected("SEATTLE office"));

    // A name that cannot be read does not match, its fields are still tried.
    injector->clearRules();
    injector->failAlways("Pushpin.Name");
    ASSERT_TRUE(SearchPushpinForRow(faulty, "munich"));
    EXPECT_TRUE(isSelected("Corner Shop"));
    EXPECT_FALSE(SearchPushpinForRow(faulty, "Kiosk"));

    // A record set that cannot move on ends that dataset's walk, not the search.
    injector->clearRules();
    injector->failAlways("Recordset.MoveNext", "Shops");
    ASSERT_TRUE(SearchPushpinForRow(faulty, "corner shop"));
    EXPECT_FALSE(SearchPushpinForRow(faulty, "kiosk"));
}

} // namespace
