// The fault-injecting wrapper: failing by member, by count and by object, the call
// log, objects handed back into the model, and registration by class name.
#include "FaultInjector.h"
#include "FaultWrap.h"
#include "TestMaps.h"
#include "automation/ClassRegistry.h"
#include "automation/Error.h"
#include "maphost/model/HostApplication.h"
#include "mappoint/Application.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/Location.h"
#include "mappoint/Shape.h"

#include <gtest/gtest.h>

namespace {

using namespace testmaps;
using faults::FaultInjector;

class FaultWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        maphost::MapData data;
        data.dataSets.push_back(
            dataSet("North", {pin("Oslo", 59.9, 10.7, {"NO"}), pin("Bergen", 60.4, 5.3, {"NO"})},
                    {{"Country", QMetaType::QString}}));
        data.dataSets.push_back(dataSet("South", {pin("Rome", 41.9, 12.5)}));
        real = maphost::HostMap::create(data);
        injector = std::make_shared<FaultInjector>();
        map = faults::wrap(mappoint::MapPtr(real), injector);
    }

    // Names read through the wrapper during a walk; a failing read is recorded as "!".
    QStringList walk(const QString& dataSet) {
        QStringList names;
        for (auto rs = map->DataSets()->Item(dataSet)->QueryAllRecords(); !rs->Eof();
             rs->MoveNext()) {
            try {
                names << rs->Pushpin()->Name();
            } catch (const automation::Error&) {
                names << "!";
            }
        }
        return names;
    }

    std::shared_ptr<maphost::HostMap> real;
    std::shared_ptr<FaultInjector> injector;
    mappoint::MapPtr map;
};

TEST_F(FaultWrapperTest, PassesCallsThroughAndLogsThem) {
    auto oslo = map->FindPushpin("Oslo");
    ASSERT_TRUE(oslo);
    EXPECT_EQ(oslo->Name(), "Oslo");
    auto from = oslo->Location();
    auto to = map->GetLocation(0, 0, 0);
    EXPECT_GT(map->Distance(from, to), 0);
    EXPECT_EQ(injector->calls(), (QStringList{"Map.FindPushpin", "Pushpin.Name", "Pushpin.Location",
                                              "Map.GetLocation", "Map.Distance"}));
    EXPECT_EQ(injector->callCount("Map.Distance"), 1);
    injector->clearCalls();
    EXPECT_FALSE(map->FindPushpin("nobody"));
    EXPECT_EQ(injector->calls(), QStringList{"Map.FindPushpin"});
}

TEST_F(FaultWrapperTest, FailsByMember) {
    faults::FaultRule rule;
    rule.member = "Pushpin.Name";
    rule.number = automation::errors::ObjectDeleted;
    rule.description = "gone";
    injector->addRule(rule);
    try {
        map->FindPushpin("Oslo")->Name();
        ADD_FAILURE() << "Name did not fail";
    } catch (const automation::Error& e) {
        EXPECT_EQ(e.number(), automation::errors::ObjectDeleted);
        EXPECT_EQ(e.description(), "gone");
    }
    EXPECT_EQ(map->FindPushpin("Oslo")->Note(), "");
    injector->clearRules();
    EXPECT_EQ(map->FindPushpin("Oslo")->Name(), "Oslo");
}

TEST_F(FaultWrapperTest, FailsByCount) {
    injector->failNth("Pushpin.Name", 2);
    EXPECT_EQ(walk("North"), (QStringList{"Oslo", "!"}));
    EXPECT_EQ(walk("North"), (QStringList{"Oslo", "Bergen"}));

    injector->clearRules();
    injector->failFrom("Recordset.MoveNext", 2);
    auto rs = map->DataSets()->Item("North")->QueryAllRecords();
    EXPECT_NO_THROW(rs->MoveNext());
    EXPECT_THROW(rs->MoveNext(), automation::Error);
    EXPECT_THROW(rs->MoveNext(), automation::Error);
    EXPECT_EQ(rs->Pushpin()->Name(), "Bergen"); // the failed calls did not move it
}

TEST_F(FaultWrapperTest, FailsByObject) {
    injector->failAlways("Pushpin.Name", "Bergen");
    EXPECT_EQ(walk("North"), (QStringList{"Oslo", "!"}));
    injector->clearRules();
    injector->failAlways("", "South"); // every call on the dataset South
    EXPECT_EQ(map->DataSets()->Item("North")->RecordCount(), 2);
    EXPECT_THROW(map->DataSets()->Item("South")->RecordCount(), automation::Error);
    EXPECT_THROW(map->DataSets()->Item("South")->QueryAllRecords(), automation::Error);
    // Records and fields count as being on their dataset too.
    injector->clearRules();
    injector->failAlways("Field.Value", "North");
    auto rs = map->DataSets()->Item("North")->QueryAllRecords();
    EXPECT_THROW(rs->Fields()->Item(1)->Value(), automation::Error);
    EXPECT_EQ(rs->Fields()->Item(1)->Name(), "Country");
}

TEST_F(FaultWrapperTest, UnwrapsObjectsHandedBackToTheModel) {
    auto south = map->DataSets()->Item("South");
    map->FindPushpin("Oslo")->MoveTo(south);
    EXPECT_EQ(real->DataSets()->Item("South")->RecordCount(), 2);
    auto added = map->AddPushpin(map->GetLocation(1, 2, 0), "New");
    EXPECT_EQ(added->Parent()->Name(), "My Pushpins");

    maphost::ShapeData box;
    box.kind = maphost::ShapeKind::Rectangle;
    box.points = {{0, 40}, {20, 40}, {20, 70}, {0, 70}};
    real->selectShape(real->addShape(box));
    auto selected = std::dynamic_pointer_cast<mappoint::Shape>(map->Selection());
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->Type(), 1);
    auto inside = map->DataSets()->Item("South")->QueryShape(selected);
    int count = 0;
    for (; !inside->Eof(); inside->MoveNext())
        ++count;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(injector->callCount("Shape.Type"), 1);
}

TEST_F(FaultWrapperTest, RegistersInPlaceOfTheRealApplication) {
    auto app = std::make_shared<maphost::HostApplication>();
    app->setActiveMap(real);
    faults::registerFaultyApplication(app, injector);
    injector->failAlways("Map.FindPushpin");
    auto attached = automation::GetObjectAs<mappoint::Application>("MapPoint.Application");
    auto activeMap = attached->ActiveMap();
    EXPECT_THROW(activeMap->FindPushpin("Oslo"), automation::Error);
    EXPECT_EQ(injector->calls(), (QStringList{"Application.ActiveMap", "Map.FindPushpin"}));
    automation::RevokeActiveObject("MapPoint.Application",
                                   automation::GetObject("MapPoint.Application").get());
    EXPECT_THROW(automation::GetObject("MapPoint.Application"), automation::Error);
}

} // namespace
