#include "geo/PositionCalculator.h"

#include "FaultInjector.h"
#include "FaultMap.h"
#include "automation/Error.h"
#include "maphost/model/HostMap.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>
#include <vector>

namespace {

using Args = std::tuple<double, double, double>;

// The fault wrapper, also noting the arguments of every GetLocation and, when a test
// asks for it, answering Distance with a value of its own choosing.
class RecordingMap : public faults::FaultMap {
public:
    using FaultMap::FaultMap;

    mappoint::LocationPtr GetLocation(double latitude, double longitude, double altitude) override {
        locations.emplace_back(latitude, longitude, altitude);
        return FaultMap::GetLocation(latitude, longitude, altitude);
    }
    double Distance(mappoint::LocationPtr start, mappoint::LocationPtr end) override {
        const double real = FaultMap::Distance(start, end);
        ++distanceCalls;
        return distanceOverride ? distanceOverride(distanceCalls, real) : real;
    }

    std::vector<Args> locations;
    int distanceCalls = 0;
    std::function<double(int call, double real)> distanceOverride;
};

class ReferenceFrame : public ::testing::Test {
protected:
    void SetUp() override {
        geo::detail::ResetReferenceFrame();
        host = maphost::HostMap::create();
        injector = std::make_shared<faults::FaultInjector>();
        map = std::make_shared<RecordingMap>(host, injector);
    }
    void TearDown() override { geo::detail::ResetReferenceFrame(); }

    mappoint::LocationPtr place(double latitude, double longitude) {
        return host->GetLocation(latitude, longitude, 0);
    }

    // Derives into (lat, lon); the error number, or nothing when it succeeded.
    std::optional<int> derive(const mappoint::LocationPtr& location) {
        try {
            geo::CalcLatLon(map, location, lat, lon);
        } catch (const automation::Error& e) {
            return e.number();
        }
        return std::nullopt;
    }

    std::shared_ptr<maphost::HostMap> host;
    std::shared_ptr<faults::FaultInjector> injector;
    std::shared_ptr<RecordingMap> map;
    double lat = 111;
    double lon = 222;
};

const QStringList FirstCallMembers = {"Map.Units",       "Map.GetLocation", "Map.GetLocation",
                                      "Map.GetLocation", "Map.Distance",    "Map.Distance",
                                      "Map.GetLocation", "Map.Distance",    "Map.Distance"};
const QStringList LaterCallMembers = {"Map.Units", "Map.Distance", "Map.GetLocation",
                                      "Map.Distance", "Map.Distance"};

TEST_F(ReferenceFrame, BuiltOnceWithThePolesAndNinetyWest) {
    ASSERT_FALSE(derive(place(40.7, -74.0)));
    EXPECT_EQ(injector->calls(), FirstCallMembers);
    ASSERT_EQ(map->locations.size(), 4u);
    EXPECT_EQ(map->locations[0], Args(90, 0, 0));
    EXPECT_EQ(map->locations[1], Args(0, -90, 0));
    EXPECT_EQ(map->locations[2], Args(-90, 0, 0));
    EXPECT_EQ(std::get<1>(map->locations[3]), 0.0);
    EXPECT_NEAR(std::get<0>(map->locations[3]), 40.7, 1e-9);

    injector->clearCalls();
    map->locations.clear();
    ASSERT_FALSE(derive(place(-33.9, 151.2)));
    EXPECT_EQ(injector->calls(), LaterCallMembers);
    ASSERT_EQ(map->locations.size(), 1u);
    EXPECT_NEAR(lat, -33.9, 1e-9);
    EXPECT_NEAR(lon, 151.2, 1e-9);
}

TEST_F(ReferenceFrame, RebuiltWhenTheUnitChanges) {
    ASSERT_FALSE(derive(place(10, 20)));
    host->SetUnits(mappoint::geoKilometers);
    injector->clearCalls();
    ASSERT_FALSE(derive(place(10, 20)));
    EXPECT_EQ(injector->calls(), FirstCallMembers);
    EXPECT_NEAR(lat, 10, 1e-9);
    EXPECT_NEAR(lon, 20, 1e-9);
}

// Each host call of a first derivation fails in turn: what the out-parameters hold
// then, and whether the next derivation (without faults) comes out right.
struct InjectedStep {
    const char* member;
    int nth;
    bool latitudeWritten;
    enum { Old, Unsigned } longitude;
};

class FailureAtEachStep : public ReferenceFrame,
                          public ::testing::WithParamInterface<InjectedStep> {};

TEST_P(FailureAtEachStep, LeavesTheOutParametersAsFarAsTheDerivationGot) {
    const InjectedStep step = GetParam();
    injector->failNth(QString::fromLatin1(step.member), step.nth);
    const auto location = place(40.7, -74.0);

    EXPECT_EQ(derive(location), faults::InjectedErrorNumber);
    if (step.latitudeWritten)
        EXPECT_NEAR(lat, 40.7, 1e-9);
    else
        EXPECT_EQ(lat, 111);
    if (step.longitude == InjectedStep::Old)
        EXPECT_EQ(lon, 222);
    else
        EXPECT_NEAR(lon, 74.0, 1e-9);

    injector->clearRules();
    ASSERT_FALSE(derive(location));
    EXPECT_NEAR(lat, 40.7, 1e-9);
    EXPECT_NEAR(lon, -74.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailureAtEachStep,
    ::testing::Values(InjectedStep{"Map.Units", 1, false, InjectedStep::Old},
                      InjectedStep{"Map.GetLocation", 1, false, InjectedStep::Old},
                      InjectedStep{"Map.GetLocation", 2, false, InjectedStep::Old},
                      InjectedStep{"Map.GetLocation", 3, false, InjectedStep::Old},
                      InjectedStep{"Map.Distance", 1, false, InjectedStep::Old},
                      InjectedStep{"Map.Distance", 2, false, InjectedStep::Old},
                      InjectedStep{"Map.GetLocation", 4, true, InjectedStep::Old},
                      InjectedStep{"Map.Distance", 3, true, InjectedStep::Old},
                      InjectedStep{"Map.Distance", 4, true, InjectedStep::Unsigned}));

TEST_F(ReferenceFrame, CountsAsBuiltOnceTheNorthPoleIsKept) {
    injector->failNth("Map.GetLocation", 2);
    EXPECT_TRUE(derive(place(1, 2)));
    EXPECT_TRUE(geo::detail::ReferenceFrameBuilt());
    injector->clearRules();
    injector->failNth("Map.GetLocation", 1);
    geo::detail::ResetReferenceFrame();
    injector->clearCalls();
    EXPECT_TRUE(derive(place(1, 2)));
    EXPECT_FALSE(geo::detail::ReferenceFrameBuilt());
}

TEST_F(ReferenceFrame, LatitudeIsStoredBeforeItsArithmeticCheck) {
    // A zero pole-to-pole distance: the latitude step divides by zero.
    map->distanceOverride = [](int call, double real) {
        return call == 1 ? 0.0 : real;
    };
    EXPECT_EQ(derive(place(40.7, -74.0)), automation::errors::DivisionByZero);
    EXPECT_TRUE(std::isinf(lat));
    EXPECT_EQ(lon, 222);
}

TEST_F(ReferenceFrame, NonFiniteDistanceIsAnArithmeticError) {
    map->distanceOverride = [](int call, double real) {
        return call == 2 ? NAN : real;
    };
    EXPECT_EQ(derive(place(40.7, -74.0)), automation::errors::Overflow);
    EXPECT_TRUE(std::isnan(lat));
    EXPECT_EQ(lon, 222);
}

TEST_F(ReferenceFrame, QuotientOutsideTheRangeIsClampedNotFailed) {
    // A meridian distance too large for the latitude: q falls far below -1 and is
    // clamped, giving the half turn rather than a failing square root.
    map->distanceOverride = [](int call, double real) {
        return call == 3 ? 9000.0 : real;
    };
    EXPECT_FALSE(derive(place(60, 10)));
    EXPECT_NEAR(lat, 60, 1e-9);
    EXPECT_EQ(lon, 180.0);
}

TEST_F(ReferenceFrame, MissingMapOrLocationFailsWithoutTouchingTheOutParameters) {
    EXPECT_THROW(geo::CalcLatLon(nullptr, place(1, 2), lat, lon), automation::Error);
    EXPECT_THROW(geo::CalcLatLon(map, nullptr, lat, lon), automation::Error);
    EXPECT_EQ(lat, 111);
    EXPECT_EQ(lon, 222);
    EXPECT_TRUE(injector->calls().isEmpty());
}

} // namespace

TEST_F(ReferenceFrame, AClosedMapIsFreedThoughTheFrameWasBuiltOnIt) {
    maphost::MapData data;
    maphost::DataSetData set;
    set.name = QStringLiteral("Pins");
    for (int i = 0; i < 1000; ++i) {
        maphost::PushpinData pin;
        pin.name = QStringLiteral("Pin %1").arg(i);
        pin.latitude = i % 80;
        set.pushpins.push_back(pin);
    }
    data.dataSets.push_back(set);
    std::shared_ptr<maphost::HostMap> closed = maphost::HostMap::create(data);
    const std::weak_ptr<maphost::HostMap> watch = closed;
    double latitude = 0;
    double longitude = 0;
    geo::CalcLatLon(closed, closed->GetLocation(10, 20, 0), latitude, longitude);
    ASSERT_TRUE(geo::detail::ReferenceFrameBuilt());

    closed.reset(); // the host closes the map
    EXPECT_TRUE(watch.expired()) << "the frame's reference points keep the map alive";

    // The next map gets a frame of its own; its derivation is right.
    ASSERT_FALSE(derive(place(-33.9, 151.2)));
    EXPECT_EQ(injector->calls(), FirstCallMembers);
    EXPECT_NEAR(lat, -33.9, 1e-9);
    EXPECT_NEAR(lon, 151.2, 1e-9);
}
