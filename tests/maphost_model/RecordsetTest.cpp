// Record order, RecordCount, snapshot walks, field values and deleted pushpins.
#include "TestMaps.h"
#include "automation/Error.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/Location.h"

#include <gtest/gtest.h>

namespace {

using namespace testmaps;
using maphost::HostMap;

std::shared_ptr<HostMap> threeDataSets() {
    maphost::MapData data;
    QVector<maphost::FieldDef> fields = {{"City", QMetaType::QString},
                                         {"Count", QMetaType::LongLong}};
    data.dataSets.push_back(dataSet(
        "Shops", {pin("S1", 1, 1, {"Oslo", 3}), pin("S2", 2, 2, {"Bergen"}), pin("S3", 3, 3)},
        fields));
    data.dataSets.push_back(dataSet("Empty", {}));
    data.dataSets.push_back(dataSet("Shops", {pin("T1", 4, 4)}));
    return HostMap::create(data);
}

int expectError(const std::function<void()>& call) {
    try {
        call();
    } catch (const automation::Error& e) {
        return e.number();
    }
    ADD_FAILURE() << "no error";
    return 0;
}

TEST(Records, DatasetsInMapOrderAndRecordsInRecordOrder) {
    auto map = threeDataSets();
    auto sets = map->DataSets();
    ASSERT_EQ(sets->Count(), 3);
    EXPECT_EQ(sets->Item(1)->Name(), "Shops");
    EXPECT_EQ(sets->Item(2)->Name(), "Empty");
    EXPECT_EQ(sets->Item(3)->Name(), "Shops");
    EXPECT_EQ(walkNames(sets->Item("Shops")), (QStringList{"S1", "S2", "S3"}));
    EXPECT_EQ(sets->Item(1)->RecordCount(), 3);
    EXPECT_EQ(sets->Item(2)->RecordCount(), 0);
    EXPECT_TRUE(sets->Item(2)->QueryAllRecords()->Eof());
    EXPECT_EQ(expectError([&] { sets->Item(0); }), automation::errors::ItemNotFound);
    EXPECT_EQ(expectError([&] { sets->Item(4); }), automation::errors::ItemNotFound);
    EXPECT_EQ(expectError([&] { sets->Item("shops"); }), automation::errors::ItemNotFound);

    auto added = sets->AddPushpinSet("Later");
    EXPECT_EQ(sets->Count(), 4);
    EXPECT_EQ(sets->Item(4)->Name(), "Later");
    EXPECT_THROW(sets->AddPushpinSet("  "), automation::Error);
}

TEST(Records, RecordCountMatchesTheWalkThroughChanges) {
    auto map = threeDataSets();
    auto shops = map->DataSets()->Item(1);
    map->FindPushpin("S2")->Delete();
    map->FindPushpin("T1")->MoveTo(shops);
    EXPECT_EQ(shops->RecordCount(), 3);
    EXPECT_EQ(walkNames(shops), (QStringList{"S1", "S3", "T1"}));
    EXPECT_EQ(map->DataSets()->Item(3)->RecordCount(), 0);
}

TEST(Records, FieldsGiveDefinitionsAndRecordValues) {
    auto map = threeDataSets();
    auto shops = map->DataSets()->Item(1);
    auto defs = shops->Fields();
    ASSERT_EQ(defs->Count(), 2);
    EXPECT_EQ(defs->Item(1)->Name(), "City");
    EXPECT_EQ(defs->Item("Count")->Name(), "Count");
    EXPECT_EQ(expectError([&] { defs->Item(1)->Value(); }), automation::errors::NotSupported);
    EXPECT_EQ(expectError([&] { defs->Item(3); }), automation::errors::ItemNotFound);
    EXPECT_EQ(expectError([&] { defs->Item("city"); }), automation::errors::ItemNotFound);

    auto rs = shops->QueryAllRecords();
    EXPECT_EQ(rs->Fields()->Item("City")->Value().toString(), "Oslo");
    EXPECT_EQ(rs->Fields()->Item(2)->Value().toLongLong(), 3);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields()->Item(1)->Value().toString(), "Bergen");
    EXPECT_FALSE(rs->Fields()->Item(2)->Value().isValid()); // missing value
    rs->MoveNext();
    EXPECT_FALSE(rs->Fields()->Item(1)->Value().isValid());
    // Values keep their field through a move into a dataset with other fields.
    auto other = map->DataSets()->AddPushpinSet("Other");
    map->FindPushpin("S1")->MoveTo(other);
    EXPECT_EQ(other->QueryAllRecords()->Fields()->Count(), 0);
}

TEST(Records, WalkEndsAtEofAndFailsPastIt) {
    auto map = threeDataSets();
    auto rs = map->DataSets()->Item(3)->QueryAllRecords();
    EXPECT_FALSE(rs->Eof());
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_THROW(rs->MoveNext(), automation::Error);
    EXPECT_THROW(rs->Pushpin(), automation::Error);
    EXPECT_THROW(rs->Location(), automation::Error);
    EXPECT_THROW(rs->Fields(), automation::Error);
    rs->MoveFirst();
    EXPECT_EQ(rs->Pushpin()->Name(), "T1");
}

TEST(Records, SnapshotWalkSurvivesDeletionAndAddition) {
    auto map = threeDataSets();
    auto shops = map->DataSets()->Item(1);
    auto rs = shops->QueryAllRecords();
    QStringList seen;
    int deletedReads = 0;
    for (; !rs->Eof(); rs->MoveNext()) {
        auto pushpin = rs->Pushpin();
        try {
            seen << pushpin->Name();
        } catch (const automation::Error& e) {
            EXPECT_EQ(e.number(), automation::errors::ObjectDeleted);
            ++deletedReads;
            continue;
        }
        if (seen.size() == 1) {
            pushpin->Delete();                     // the current record
            map->FindPushpin("S3")->Delete();      // a later one
            map->FindPushpin("T1")->MoveTo(shops); // added behind the walk
        }
    }
    EXPECT_EQ(seen, (QStringList{"S1", "S2"}));
    EXPECT_EQ(deletedReads, 1);
    EXPECT_EQ(walkNames(shops), (QStringList{"S2", "T1"}));
    // Rewound, the snapshot still holds the three records it started with.
    int records = 0;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        ++records;
    EXPECT_EQ(records, 3);
}

TEST(Records, OrderSurvivesManyDeletionsAndMoves) {
    maphost::MapData data;
    std::vector<maphost::PushpinData> pins;
    for (int i = 0; i < 300; ++i)
        pins.push_back(pin(QString("P%1").arg(i), 0, i / 2.0));
    data.dataSets.push_back(dataSet("Many", std::move(pins)));
    data.dataSets.push_back(dataSet("Other", {}));
    auto map = HostMap::create(data);
    auto many = map->DataSets()->Item(1);
    auto other = map->DataSets()->Item(2);
    QStringList kept;
    // Delete two of every three during a walk (the dataset's storage is compacted
    // on the way), moving every tenth of the rest to the other dataset.
    auto rs = many->QueryAllRecords();
    for (int i = 0; !rs->Eof(); rs->MoveNext(), ++i) {
        auto p = rs->Pushpin();
        if (i % 3 != 0)
            p->Delete();
        else if (i % 10 == 0)
            p->MoveTo(other);
        else
            kept << p->Name();
    }
    EXPECT_EQ(many->RecordCount(), kept.size());
    EXPECT_EQ(walkNames(many), kept);
    EXPECT_EQ(walkNames(other), (QStringList{"P0", "P30", "P60", "P90", "P120", "P150", "P180",
                                             "P210", "P240", "P270"}));
    // Pushpins added after the compaction go to the end and are found by name.
    other->QueryAllRecords()->Pushpin()->MoveTo(many);
    EXPECT_EQ(walkNames(many).last(), "P0");
    EXPECT_EQ(map->FindPushpin("P3")->Name(), "P3");
    EXPECT_FALSE(map->FindPushpin("P4"));
}

TEST(Records, DeletedPushpinFailsEveryCall) {
    auto map = threeDataSets();
    auto pushpin = map->FindPushpin("S1");
    auto again = map->FindPushpin("S1");
    pushpin->Select();
    pushpin->Delete();
    EXPECT_FALSE(map->Selection());
    EXPECT_FALSE(map->FindPushpin("S1"));
    const std::vector<std::function<void()>> calls = {
        [&] { pushpin->Name(); },
        [&] { pushpin->SetName("x"); },
        [&] { pushpin->Note(); },
        [&] { pushpin->SetNote("x"); },
        [&] { pushpin->Parent(); },
        [&] { pushpin->Location(); },
        [&] { pushpin->Symbol(); },
        [&] { pushpin->SetSymbol(3); },
        [&] { pushpin->Highlight(); },
        [&] { pushpin->SetHighlight(true); },
        [&] { pushpin->BalloonState(); },
        [&] { pushpin->SetBalloonState(1); },
        [&] { pushpin->Select(); },
        [&] { pushpin->Delete(); },
        [&] { again->Name(); },
        [&] { pushpin->Type(); },
        [&] { pushpin->MoveTo(map->DataSets()->Item(2)); },
    };
    for (const auto& call : calls)
        EXPECT_EQ(expectError(call), automation::errors::ObjectDeleted);
}

TEST(Records, DeletedDatasetTakesItsPushpins) {
    auto map = threeDataSets();
    auto shops = map->DataSets()->Item(1);
    auto s1 = map->FindPushpin("S1");
    shops->Delete();
    EXPECT_EQ(map->DataSets()->Count(), 2);
    EXPECT_EQ(map->pushpinCount(), 1);
    EXPECT_EQ(expectError([&] { s1->Name(); }), automation::errors::ObjectDeleted);
    EXPECT_EQ(expectError([&] { shops->RecordCount(); }), automation::errors::ObjectDeleted);
    EXPECT_EQ(map->DataSets()->Item("Shops")->RecordCount(), 1);
}

TEST(Records, PushpinAttributes) {
    auto map = threeDataSets();
    auto p = map->FindPushpin("S2");
    EXPECT_EQ(p->Parent()->Name(), "Shops");
    p->SetNote("A note");
    p->SetHighlight(true);
    p->SetBalloonState(mappoint::geoDisplayBalloon);
    p->SetSymbol(42);
    auto q = map->FindPushpin("S2");
    EXPECT_EQ(q->Note(), "A note");
    EXPECT_TRUE(q->Highlight());
    EXPECT_EQ(q->BalloonState(), 2);
    EXPECT_EQ(q->Symbol(), 42);
    EXPECT_EQ(expectError([&] { p->SetBalloonState(3); }), automation::errors::InvalidArgument);
    EXPECT_EQ(expectError([&] { p->SetBalloonState(-1); }), automation::errors::InvalidArgument);
    EXPECT_EQ(expectError([&] { p->SetSymbol(256); }), automation::errors::InvalidArgument);
    EXPECT_EQ(expectError([&] { p->SetSymbol(-1); }), automation::errors::InvalidArgument);
    EXPECT_EQ(expectError([&] { p->Type(); }), automation::errors::NotSupported);
    EXPECT_EQ(q->BalloonState(), 2);
    p->Select();
    auto selected = std::dynamic_pointer_cast<mappoint::Pushpin>(map->Selection());
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->Name(), "S2");

    auto shops = map->DataSets()->Item(1);
    shops->SetSymbol(7);
    EXPECT_EQ(shops->Symbol(), 7);
    for (auto rs = shops->QueryAllRecords(); !rs->Eof(); rs->MoveNext())
        EXPECT_EQ(rs->Pushpin()->Symbol(), 7);
    EXPECT_EQ(map->FindPushpin("T1")->Symbol(), 0);
}

} // namespace
