// FindPushpin: exact, case-sensitive, first in dataset order then record order, and
// kept right through renames, moves and deletions.
#include "TestMaps.h"
#include "mappoint/Location.h"

#include <gtest/gtest.h>

namespace {

using namespace testmaps;
using maphost::HostMap;

class FindPushpinTest : public ::testing::Test {
protected:
    void SetUp() override {
        maphost::MapData data;
        data.dataSets.push_back(
            dataSet("First", {pin("Alpha", 1, 1), pin("Beta", 2, 2), pin("Alpha", 3, 3)}));
        data.dataSets.push_back(
            dataSet("Second", {pin("alpha", 4, 4), pin("Alpha", 5, 5), pin("Gamma", 6, 6)}));
        map = HostMap::create(data);
    }

    // Which record the found pushpin is, by its latitude (unique per pin here);
    // -1 when nothing is found.
    double foundAt(const QString& name) {
        auto pushpin = map->FindPushpin(name);
        if (!pushpin)
            return -1;
        pushpin->Location()->GoTo();
        return map->view().centerLatitude;
    }

    std::shared_ptr<HostMap> map;
};

TEST_F(FindPushpinTest, IsExactAndCaseSensitive) {
    EXPECT_EQ(foundAt("alpha"), 4);
    EXPECT_EQ(foundAt("Alpha"), 1);
    EXPECT_EQ(foundAt("ALPHA"), -1);
    EXPECT_EQ(foundAt("Alph"), -1);
    EXPECT_EQ(foundAt("Alpha "), -1);
    EXPECT_EQ(foundAt(""), -1);
    EXPECT_EQ(map->FindPushpin("Gamma")->Name(), "Gamma");
}

TEST_F(FindPushpinTest, FollowsDeletionOfTheFirst) {
    map->FindPushpin("Alpha")->Delete();
    EXPECT_EQ(foundAt("Alpha"), 3);
    map->FindPushpin("Alpha")->Delete();
    EXPECT_EQ(foundAt("Alpha"), 5);
    map->FindPushpin("Alpha")->Delete();
    EXPECT_EQ(foundAt("Alpha"), -1);
    EXPECT_EQ(foundAt("alpha"), 4);
}

TEST_F(FindPushpinTest, FollowsRenames) {
    map->FindPushpin("Beta")->SetName("Alpha");
    EXPECT_EQ(foundAt("Alpha"), 1);
    EXPECT_EQ(foundAt("Beta"), -1);
    map->FindPushpin("Alpha")->SetName("Delta");
    EXPECT_EQ(foundAt("Alpha"), 2); // the renamed Beta comes before record 3
    EXPECT_EQ(foundAt("Delta"), 1);
    map->FindPushpin("Gamma")->SetName("alpha");
    EXPECT_EQ(foundAt("alpha"), 4);
}

TEST_F(FindPushpinTest, FollowsMovesIntoOtherDatasets) {
    auto second = map->DataSets()->Item("Second");
    auto first = map->DataSets()->Item("First");
    // Moving the first Alpha behind the others of its dataset: record 3 is now first.
    map->FindPushpin("Alpha")->MoveTo(second);
    EXPECT_EQ(foundAt("Alpha"), 3);
    // Moving First's other Alpha away too leaves Second's own Alpha first.
    map->FindPushpin("Alpha")->MoveTo(second);
    EXPECT_EQ(foundAt("Alpha"), 5);
    map->FindPushpin("Gamma")->MoveTo(first);
    EXPECT_EQ(walkNames(first), (QStringList{"Beta", "Gamma"}));
    EXPECT_EQ(walkNames(second), (QStringList{"alpha", "Alpha", "Alpha", "Alpha"}));
}

TEST_F(FindPushpinTest, FollowsDatasetOrderChangesAndAdditions) {
    map->DataSets()->Item("First")->Delete();
    EXPECT_EQ(foundAt("Alpha"), 5);
    EXPECT_EQ(foundAt("Beta"), -1);
    auto added = map->AddPushpin(map->GetLocation(7, 7, 0), "Beta");
    EXPECT_EQ(foundAt("Beta"), 7);
    EXPECT_EQ(added->Parent()->Name(), "My Pushpins");
}

TEST(FindPushpinMany, FirstOfManyRepeatsAfterDeletions) {
    auto map = HostMap::create();
    auto ds = map->DataSets()->AddPushpinSet("Repeats");
    std::vector<mappoint::PushpinPtr> pins;
    for (int i = 0; i < 200; ++i) {
        pins.push_back(map->AddPushpin(map->GetLocation(0, i % 90, 0), i % 2 ? "Odd" : "Even"));
        pins.back()->MoveTo(ds);
    }
    // Deleting from the front, the index must hand out the next one each time.
    for (int i = 0; i < 200; i += 2) {
        auto found = map->FindPushpin("Even");
        ASSERT_TRUE(found);
        found->Location()->GoTo();
        EXPECT_DOUBLE_EQ(map->view().centerLongitude, double(i % 90));
        pins[size_t(i)]->Delete();
    }
    EXPECT_FALSE(map->FindPushpin("Even"));
    EXPECT_TRUE(map->FindPushpin("Odd"));
}

} // namespace

namespace {

// A dataset imported without a name column: every pushpin has the same (empty) name.
TEST(FindPushpinMany, ManyPushpinsSharingOneName) {
    maphost::MapData data;
    for (int d = 0; d < 2; ++d) {
        std::vector<maphost::PushpinData> pins;
        for (int i = 0; i < 20000; ++i)
            pins.push_back(testmaps::pin("", d * 10 + 5, (i % 3600) / 20.0 - 90));
        data.dataSets.push_back(testmaps::dataSet(QString("Set %1").arg(d), std::move(pins)));
    }
    auto map = maphost::HostMap::create(std::move(data));
    auto second = map->DataSets()->Item(2);
    map->DataSets()->Item(1)->Delete();
    auto rs = second->QueryAllRecords();
    for (int i = 0; i < 20000; ++i, rs->MoveNext()) {
        auto found = map->FindPushpin("");
        ASSERT_TRUE(found);
        if (i % 997 == 0) {
            // The found one is the current record of the walk: compare their places.
            found->Location()->GoTo();
            const auto at = map->view();
            rs->Location()->GoTo();
            EXPECT_EQ(map->view().centerLongitude, at.centerLongitude);
            EXPECT_EQ(at.centerLatitude, 15);
        }
        found->Delete();
    }
    EXPECT_FALSE(map->FindPushpin(""));
    EXPECT_EQ(second->RecordCount(), 0);
}

} // namespace
