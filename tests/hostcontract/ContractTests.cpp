// The object model's contract, run against each host: what the add-in relies on of
// FindPushpin, record sets, distances, locations, the altitude, symbols, balloons,
// deletes, QueryShape and errors.
#include "ContractHost.h"
#include "automation/Error.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/Location.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "mappoint/Symbol.h"
#include "mappoint/Symbols.h"
#include "support/ErrorOf.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace {

using namespace contract;

constexpr double RadiusKm = 6371.0088;

using testing_support::errorOf;

QStringList walkNames(const mappoint::RecordsetPtr& rs) {
    QStringList names;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        names << rs->Pushpin()->Name();
    return names;
}

QStringList walkNames(const mappoint::DataSetPtr& ds) {
    return walkNames(ds->QueryAllRecords());
}

class Contract : public ::testing::TestWithParam<QString> {
protected:
    mappoint::MapPtr make(const std::vector<DataSetContent>& dataSets) {
        return contractHost().makeMap(GetParam(), dataSets);
    }
    // The standard map: two datasets with a name in both and one twice in the first.
    mappoint::MapPtr twoDataSets() {
        return make(
            {{"First", {{"Alpha", 10, 10}, {"Dup", 11, 11}, {"beta", 12, 12}, {"Dup", 13, 13}}},
             {"Second", {{"Dup", 20, 20}, {"Gamma", 21, 21}}}});
    }
    // Kilometres from a pushpin to a point.
    static double kmFrom(const mappoint::MapPtr& map, const mappoint::PushpinPtr& pin,
                         double latitude, double longitude) {
        map->SetUnits(mappoint::geoKilometers);
        return map->Distance(pin->Location(), map->GetLocation(latitude, longitude, 0));
    }
};

TEST_P(Contract, FindPushpinTakesTheFirstInDataSetThenRecordOrderExactCase) {
    auto map = twoDataSets();
    auto dup = map->FindPushpin("Dup");
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->Parent()->Name(), "First");
    EXPECT_NEAR(kmFrom(map, dup, 11, 11), 0, 1e-6);
    EXPECT_FALSE(map->FindPushpin("alpha")) << "the lookup is case-sensitive";
    EXPECT_FALSE(map->FindPushpin("Beta"));
    EXPECT_FALSE(map->FindPushpin("Dup ")) << "no trimming";
    EXPECT_FALSE(map->FindPushpin("Nowhere"));
    ASSERT_TRUE(map->FindPushpin("beta"));
    EXPECT_EQ(map->FindPushpin("Gamma")->Parent()->Name(), "Second");

    // The next one of the name takes over when the first goes.
    dup->Delete();
    dup = map->FindPushpin("Dup");
    ASSERT_TRUE(dup);
    EXPECT_NEAR(kmFrom(map, dup, 13, 13), 0, 1e-6);
    dup->Delete();
    dup = map->FindPushpin("Dup");
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->Parent()->Name(), "Second");
}

TEST_P(Contract, FindPushpinFollowsRenames) {
    auto map = twoDataSets();
    map->FindPushpin("Gamma")->SetName("Delta");
    EXPECT_FALSE(map->FindPushpin("Gamma"));
    auto delta = map->FindPushpin("Delta");
    ASSERT_TRUE(delta);
    EXPECT_EQ(delta->Name(), "Delta");
    // Renamed to a name held earlier in the order: the earlier one is still first.
    delta->SetName("Alpha");
    EXPECT_EQ(map->FindPushpin("Alpha")->Parent()->Name(), "First");
}

TEST_P(Contract, RecordSetWalksEveryRecordInOrder) {
    auto map = twoDataSets();
    auto first = map->DataSets()->Item("First");
    EXPECT_EQ(first->RecordCount(), 4);
    EXPECT_EQ(walkNames(first), (QStringList{"Alpha", "Dup", "beta", "Dup"}));
    auto rs = first->QueryAllRecords();
    ASSERT_FALSE(rs->Eof()) << "a record set starts on its first record";
    EXPECT_EQ(rs->Pushpin()->Name(), "Alpha");
    // Walking twice over the same record set gives the same records.
    EXPECT_EQ(walkNames(rs), walkNames(rs));
    EXPECT_EQ(errorOf([&] { rs->Pushpin(); }), automation::errors::InvalidArgument)
        << "reading past the last record fails";
}

TEST_P(Contract, RecordSetIsASnapshot) {
    auto map = twoDataSets();
    auto first = map->DataSets()->Item("First");
    auto rs = first->QueryAllRecords();
    EXPECT_EQ(rs->Pushpin()->Name(), "Alpha");
    // During the walk one record ahead goes and one comes in from another dataset.
    map->FindPushpin("beta")->Delete();
    map->FindPushpin("Gamma")->MoveTo(first);
    QStringList seen;
    int failed = 0;
    for (; !rs->Eof(); rs->MoveNext()) {
        const int32_t error = errorOf([&] { seen << rs->Pushpin()->Name(); });
        if (error != 0) {
            EXPECT_EQ(error, automation::errors::ObjectDeleted);
            ++failed;
        }
    }
    EXPECT_EQ(seen, (QStringList{"Alpha", "Dup", "Dup"})) << "the moved pushpin is not walked";
    EXPECT_EQ(failed, 1) << "the deleted pushpin fails where it was";
    EXPECT_EQ(first->RecordCount(), 4);
    const QStringList after = contractHost().addedRecordsComeFirst()
                                  ? QStringList{"Gamma", "Alpha", "Dup", "Dup"}
                                  : QStringList{"Alpha", "Dup", "Dup", "Gamma"};
    EXPECT_EQ(walkNames(first), after);
    // FindPushpin's first is the walk's first.
    map->FindPushpin("Alpha")->MoveTo(map->DataSets()->Item("Second"));
    map->FindPushpin("Dup")->MoveTo(map->DataSets()->Item("Second"));
    const QStringList second = walkNames(map->DataSets()->Item("Second"));
    map->SetUnits(mappoint::geoKilometers);
    auto dup = map->FindPushpin("Dup");
    EXPECT_EQ(dup->Parent()->Name(), "First");
    auto rs2 = map->DataSets()->Item("Second")->QueryAllRecords();
    while (!rs2->Eof() && rs2->Pushpin()->Name() != "Dup")
        rs2->MoveNext();
    ASSERT_FALSE(rs2->Eof());
    map->DataSets()->Item("First")->Delete();
    EXPECT_NEAR(map->Distance(map->FindPushpin("Dup")->Location(), rs2->Location()), 0, 1e-9)
        << second.join(", ").toStdString();
}

TEST_P(Contract, RecordFieldsGiveValuesTypesAndEmptyForMissing) {
    auto map = make({{"Typed",
                      {{"One", 1, 1, {qlonglong(42), 2.5, QString("text")}, "a note"},
                       {"Two", 2, 2, {QVariant(), QVariant(), QVariant()}}},
                      {{"Count", QMetaType::LongLong},
                       {"Score", QMetaType::Double},
                       {"Label", QMetaType::QString}}}});
    auto ds = map->DataSets()->Item(1);
    auto definitions = ds->Fields();
    ASSERT_GE(definitions->Count(), 3);
    EXPECT_EQ(definitions->Item("Count")->Type(), QMetaType::LongLong);
    EXPECT_EQ(definitions->Item("Score")->Type(), QMetaType::Double);
    EXPECT_EQ(definitions->Item("Label")->Type(), QMetaType::QString);
    EXPECT_EQ(errorOf([&] { definitions->Item("Count")->Value(); }),
              automation::errors::NotSupported);
    EXPECT_EQ(errorOf([&] { definitions->Item("count"); }), automation::errors::ItemNotFound);
    EXPECT_EQ(errorOf([&] { definitions->Item(definitions->Count() + 1); }),
              automation::errors::ItemNotFound);

    auto rs = ds->QueryAllRecords();
    auto fields = rs->Fields();
    EXPECT_EQ(fields->Item("Count")->Value(), QVariant(qlonglong(42)));
    EXPECT_EQ(fields->Item("Score")->Value(), QVariant(2.5));
    EXPECT_EQ(fields->Item("Label")->Value(), QVariant(QString("text")));
    EXPECT_EQ(rs->Pushpin()->Note(), "a note");
    rs->MoveNext();
    for (const char* name : {"Count", "Score", "Label"})
        EXPECT_FALSE(rs->Fields()->Item(name)->Value().isValid()) << name;
    EXPECT_EQ(rs->Pushpin()->Note(), "");
}

TEST_P(Contract, DistanceIsGreatCircleOnTheMeanSphere) {
    auto map = make({});
    struct Case {
        double lat1, lon1, lat2, lon2, km;
    };
    const double quarter = std::numbers::pi / 2 * RadiusKm;
    const Case cases[] = {
        {0, 0, 0, 90, quarter},
        {0, 0, 0, 180, 2 * quarter},
        {90, 0, -90, 0, 2 * quarter},
        {0, 179.5, 0, -179.5, RadiusKm * std::numbers::pi / 180}, // across the 180th meridian
        {45, 10, 45, 10, 0},
        {51.5074, -0.1278, 48.8566, 2.3522, 343.5565}, // London - Paris, haversine
    };
    for (const Case& c : cases) {
        auto a = map->GetLocation(c.lat1, c.lon1, 0);
        auto b = map->GetLocation(c.lat2, c.lon2, 0);
        map->SetUnits(mappoint::geoKilometers);
        EXPECT_NEAR(map->Distance(a, b), c.km, 1e-3) << c.lat1 << "," << c.lon1;
        EXPECT_NEAR(map->Distance(b, a), c.km, 1e-3);
        map->SetUnits(mappoint::geoMiles);
        EXPECT_NEAR(map->Distance(a, b), c.km / 1.609344, 1e-3);
    }
    EXPECT_EQ(errorOf([&] { map->Distance(nullptr, map->GetLocation(0, 0, 0)); }),
              automation::errors::InvalidArgument);
}

TEST_P(Contract, GetLocationTakesOnlyTheGlobeAndTheAltitudeRange) {
    auto map = make({});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double lat, lon, alt;
        bool ok;
    };
    const Case cases[] = {
        {90, 180, 0, true},      {-90, -180, 1, true}, {0, 0, 24854, true}, {90.0001, 0, 0, false},
        {0, -180.5, 0, false},   {nan, 0, 0, false},   {0, inf, 0, false},  {0, 0, 0.5, false},
        {0, 0, 24854.01, false}, {0, 0, -1, false},    {0, 0, nan, false},
    };
    for (const Case& c : cases) {
        const int32_t error = errorOf([&] { map->GetLocation(c.lat, c.lon, c.alt); });
        EXPECT_EQ(error, c.ok ? 0 : automation::errors::InvalidArgument)
            << c.lat << ", " << c.lon << ", " << c.alt;
    }
}

TEST_P(Contract, AltitudeKeepsToItsRange) {
    auto map = make({{"Points", {{"A", 10, 10}}}});
    for (double altitude : {1.0, 50.0, 100.0, 5000.0, 24854.0}) {
        map->SetAltitude(altitude);
        EXPECT_NEAR(map->Altitude(), altitude, 0.02 * altitude) << altitude;
    }
    map->SetAltitude(100);
    for (double bad : {0.0, 0.99, 24854.5, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(errorOf([&] { map->SetAltitude(bad); }), automation::errors::InvalidArgument)
            << bad;
        EXPECT_NEAR(map->Altitude(), 100, 2) << "a refused altitude leaves the view";
    }
    // GoTo centres there at the location's altitude.
    map->GetLocation(10, 10, 300)->GoTo();
    EXPECT_NEAR(map->Altitude(), 300, 6);
}

TEST_P(Contract, BalloonStatesAreZeroOneOrTwo) {
    auto map = twoDataSets();
    auto pin = map->FindPushpin("Alpha");
    for (int state : {2, 1, 0, 2}) {
        pin->SetBalloonState(state);
        EXPECT_EQ(pin->BalloonState(), state);
    }
    for (int bad : {-1, 3, 100}) {
        EXPECT_EQ(errorOf([&] { pin->SetBalloonState(bad); }), automation::errors::InvalidArgument)
            << bad;
        EXPECT_EQ(pin->BalloonState(), 2);
    }
}

TEST_P(Contract, SymbolsAreTheBuiltInOnesThenCustom) {
    auto map = twoDataSets();
    auto symbols = map->Symbols();
    EXPECT_EQ(symbols->Count(), 256);
    EXPECT_EQ(symbols->Item(1)->ID(), 0);
    EXPECT_EQ(symbols->Item(256)->ID(), 255);
    EXPECT_EQ(errorOf([&] { symbols->Item(0); }), automation::errors::ItemNotFound);
    EXPECT_EQ(errorOf([&] { symbols->Item(257); }), automation::errors::ItemNotFound);
    auto pin = map->FindPushpin("Alpha");
    pin->SetSymbol(77);
    EXPECT_EQ(pin->Symbol(), 77);
    EXPECT_NE(errorOf([&] { pin->SetSymbol(300); }), 0) << "the map has no symbol 300";
    auto ds = map->DataSets()->Item("Second");
    ds->SetSymbol(12);
    EXPECT_EQ(ds->Symbol(), 12);
    EXPECT_EQ(map->FindPushpin("Gamma")->Symbol(), 12) << "a dataset's symbol reaches its pushpins";
}

TEST_P(Contract, DeletedPushpinFailsAndLeavesItsDataSet) {
    auto map = twoDataSets();
    auto ds = map->DataSets()->Item("First");
    auto pin = map->FindPushpin("Alpha");
    pin->Delete();
    EXPECT_EQ(ds->RecordCount(), 3);
    EXPECT_FALSE(map->FindPushpin("Alpha"));
    EXPECT_EQ(walkNames(ds), (QStringList{"Dup", "beta", "Dup"}));
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { pin->Name(); }, [&] { pin->Location(); }, [&] { pin->Delete(); },
             [&] { pin->SetBalloonState(1); },
             [&] {
                 pin->Select();
             }})
        EXPECT_EQ(errorOf(call), automation::errors::ObjectDeleted);
}

TEST_P(Contract, QueryShapeGivesTheRecordsInsideBorderIncluded) {
    auto map = make(
        {{"Grid",
          {{"In1", 1, 1}, {"Out", 5, 5}, {"Border", 0, 2}, {"In2", 1.5, 0.5}, {"Far", -40, 100}}}});
    auto square = contractHost().makeArea({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    ASSERT_EQ(square->Type(), mappoint::geoFreeform);
    auto ds = map->DataSets()->Item("Grid");
    EXPECT_EQ(walkNames(ds->QueryShape(square)), (QStringList{"In1", "Border", "In2"}));
    EXPECT_EQ(errorOf([&] { ds->QueryShape(nullptr); }), automation::errors::InvalidArgument);
}

TEST_P(Contract, RemovedDataSetFailsEverywhere) {
    auto map = twoDataSets();
    auto ds = map->DataSets()->Item("First");
    auto rs = ds->QueryAllRecords();
    auto pin = rs->Pushpin();
    ds->Delete();
    EXPECT_EQ(map->DataSets()->Count(), 1);
    EXPECT_EQ(errorOf([&] { map->DataSets()->Item("First"); }), automation::errors::ItemNotFound);
    EXPECT_EQ(errorOf([&] { map->DataSets()->Item(2); }), automation::errors::ItemNotFound);
    for (const auto& call :
         std::vector<std::function<void()>>{[&] { ds->Name(); }, [&] { ds->RecordCount(); },
                                            [&] { ds->QueryAllRecords(); }, [&] { pin->Name(); },
                                            [&] {
                                                rs->Pushpin()->Name();
                                            }})
        EXPECT_EQ(errorOf(call), automation::errors::ObjectDeleted);
    EXPECT_FALSE(map->FindPushpin("Alpha"));
    EXPECT_EQ(map->FindPushpin("Dup")->Parent()->Name(), "Second");
    // The walk ends (how many records it still steps over is the host's).
    int steps = 0;
    for (; !rs->Eof() && steps < 10; rs->MoveNext())
        ++steps;
    EXPECT_TRUE(rs->Eof());
}

TEST_P(Contract, NewDataSetsAndPushpins) {
    auto map = twoDataSets();
    auto added = map->DataSets()->AddPushpinSet("Fresh");
    EXPECT_EQ(added->RecordCount(), 0);
    EXPECT_EQ(map->DataSets()->Count(), 3);
    const int32_t expectedAt = contractHost().newDataSetsComeFirst() ? 1 : 3;
    EXPECT_EQ(map->DataSets()->Item(expectedAt)->Name(), "Fresh");
    EXPECT_EQ(errorOf([&] { map->DataSets()->AddPushpinSet("  "); }),
              automation::errors::InvalidArgument);

    auto pin = map->AddPushpin(map->GetLocation(-33.9, 151.2, 0), "Sydney");
    EXPECT_EQ(pin->Parent()->Name(), "My Pushpins");
    EXPECT_EQ(pin->Name(), "Sydney");
    EXPECT_NEAR(kmFrom(map, pin, -33.9, 151.2), 0, 1e-6);
    auto again = map->AddPushpin(map->GetLocation(0, 0, 0), "Null Island");
    EXPECT_EQ(map->DataSets()->Item("My Pushpins")->RecordCount(), 2);
    EXPECT_EQ(map->FindPushpin("Null Island")->Parent()->Name(), "My Pushpins");
    again->MoveTo(added);
    EXPECT_EQ(again->Parent()->Name(), "Fresh");
    EXPECT_EQ(walkNames(added), QStringList{"Null Island"});
}

TEST_P(Contract, SelectionIsTheSelectedPushpinOrShape) {
    auto map = twoDataSets();
    map->FindPushpin("beta")->Select();
    auto selected = std::dynamic_pointer_cast<mappoint::Pushpin>(map->Selection());
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->Name(), "beta");
    EXPECT_EQ(errorOf([&] { selected->Type(); }), automation::errors::NotSupported)
        << "a pushpin has no Type";
    auto area = contractHost().makeArea({{0, 0}, {1, 0}, {1, 1}});
    area->Select();
    auto shape = std::dynamic_pointer_cast<mappoint::Shape>(map->Selection());
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Type(), mappoint::geoFreeform);
}

TEST_P(Contract, HighlightIsPerPushpin) {
    auto map = twoDataSets();
    auto alpha = map->FindPushpin("Alpha");
    EXPECT_FALSE(alpha->Highlight());
    alpha->SetHighlight(true);
    EXPECT_TRUE(map->FindPushpin("Alpha")->Highlight());
    EXPECT_FALSE(map->FindPushpin("beta")->Highlight());
    alpha->SetHighlight(false);
    EXPECT_FALSE(alpha->Highlight());
}

INSTANTIATE_TEST_SUITE_P(Storages, Contract, ::testing::ValuesIn(contractHost().storages()),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return info.param.toStdString();
                         });

} // namespace
