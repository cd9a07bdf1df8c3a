#include "ZoneTable.h"

#include "geo/PositionCalculator.h"
#include "maphost/model/HostMap.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double Tolerance = 1e-9;

// On the prime meridian and the antimeridian the cosine quotient sits at +-1, where the
// arccosine magnifies its last-digit rounding: the derivation's form gives those
// longitudes only to about 1e-5 degrees / cos(latitude) (0.1 m at mid latitudes).
double meridianTolerance(double latitude) {
    return 1e-5 / std::cos(latitude * 3.141592653589793 / 180);
}

class PositionGroundTruth : public ::testing::Test {
protected:
    void SetUp() override { geo::detail::ResetReferenceFrame(); }
    void TearDown() override { geo::detail::ResetReferenceFrame(); }

    // Derives the position of the point at (latitude, longitude) on map.
    static void derive(const std::shared_ptr<maphost::HostMap>& map, double latitude,
                       double longitude, double& lat, double& lon) {
        geo::CalcLatLon(map, map->GetLocation(latitude, longitude, 0), lat, lon);
    }

    static void expectPosition(const std::shared_ptr<maphost::HostMap>& map, double latitude,
                               double longitude, const QString& what = {}) {
        double lat = 0, lon = 0;
        ASSERT_NO_THROW(derive(map, latitude, longitude, lat, lon))
            << what.toStdString() << " " << latitude << ", " << longitude;
        EXPECT_NEAR(lat, latitude, Tolerance) << what.toStdString();
        EXPECT_NEAR(lon, longitude, Tolerance) << what.toStdString() << " at " << latitude;
    }
};

TEST_F(PositionGroundTruth, EveryTimeZonePlaceInMilesThenKilometresThenMilesAgain) {
    const auto places = ReadZoneTable(QStringLiteral("/usr/share/zoneinfo/zone1970.tab"));
    ASSERT_GT(places.size(), 250u) << "the time-zone table (package tzdata) is missing";
    auto map = maphost::HostMap::create();
    for (auto units : {mappoint::geoMiles, mappoint::geoKilometers, mappoint::geoMiles}) {
        map->SetUnits(units);
        for (const auto& place : places)
            expectPosition(map, place.latitude, place.longitude,
                           place.name + (units == mappoint::geoMiles ? " (mi)" : " (km)"));
    }
}

TEST_F(PositionGroundTruth, TheTwoWorkedExamples) {
    auto map = maphost::HostMap::create();
    expectPosition(map, 51.5, -0.12);
    expectPosition(map, -33.9, 151.2);
    map->SetUnits(mappoint::geoKilometers);
    expectPosition(map, 51.5, -0.12);
    expectPosition(map, -33.9, 151.2);
}

TEST_F(PositionGroundTruth, PolesHaveLongitudeZero) {
    auto map = maphost::HostMap::create();
    for (double longitude : {0.0, 45.0, -120.0, 180.0}) {
        double lat = 1, lon = 1;
        ASSERT_NO_THROW(derive(map, 90, longitude, lat, lon));
        EXPECT_EQ(lat, 90.0);
        EXPECT_EQ(lon, 0.0);
        EXPECT_FALSE(std::signbit(lon));
        ASSERT_NO_THROW(derive(map, -90, longitude, lat, lon));
        EXPECT_NEAR(lat, -90.0, Tolerance);
        EXPECT_EQ(lon, 0.0);
    }
}

TEST_F(PositionGroundTruth, PrimeMeridianIsPositiveZero) {
    auto map = maphost::HostMap::create();
    for (double latitude : {0.0, 51.4769, -33.0, 60.0, 89.5, -89.5}) {
        double lat = 1, lon = 1;
        ASSERT_NO_THROW(derive(map, latitude, 0, lat, lon));
        EXPECT_NEAR(lat, latitude, Tolerance);
        EXPECT_NEAR(lon, 0.0, meridianTolerance(latitude)) << "at " << latitude;
        EXPECT_FALSE(std::signbit(lon)) << "at " << latitude;
    }
}

TEST_F(PositionGroundTruth, NinetyWestOnTheEquatorIsNegative) {
    auto map = maphost::HostMap::create();
    expectPosition(map, 0, -90);
    expectPosition(map, 0, 90);
    expectPosition(map, 45, -90);
}

TEST_F(PositionGroundTruth, AntimeridianGivesAHalfTurnInsteadOfFailing) {
    auto map = maphost::HostMap::create();
    for (double latitude : {0.0, 30.0, -45.5, 71.0, -80.0}) {
        for (double longitude : {180.0, -180.0}) {
            double lat = 0, lon = 0;
            ASSERT_NO_THROW(derive(map, latitude, longitude, lat, lon)) << latitude;
            EXPECT_NEAR(lat, latitude, Tolerance);
            EXPECT_NEAR(std::fabs(lon), 180.0, meridianTolerance(latitude)) << "at " << latitude;
            EXPECT_LE(std::fabs(lon), 180.0);
        }
    }
    // Just off the antimeridian the sign tells the side.
    expectPosition(map, 10, 179.9);
    expectPosition(map, 10, -179.9);
}

TEST_F(PositionGroundTruth, AnotherMapGetsItsOwnFrame) {
    auto first = maphost::HostMap::create();
    auto second = maphost::HostMap::create();
    second->SetUnits(mappoint::geoKilometers);
    expectPosition(first, 40.7, -74.0);
    expectPosition(second, 40.7, -74.0);
    expectPosition(first, -12.5, 130.8);
}

} // namespace
