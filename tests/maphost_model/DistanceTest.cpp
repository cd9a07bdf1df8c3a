// Great-circle distance and GetLocation, checked against GeographicLib's GeodSolve
// on the same sphere and against a second formula evaluated in long double.
#include "TestMaps.h"
#include "automation/Error.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

namespace {

using maphost::HostMap;

constexpr double RadiusKm = 6371.0088;

struct Pair {
    double lat1, lon1, lat2, lon2;
};

std::vector<Pair> testPairs() {
    std::vector<Pair> pairs = {
        {0, 0, 0, 180},                      // antipodes on the equator
        {30, 40, -30, -140},                 // antipodes
        {90, 0, -90, 0},                     // pole to pole
        {45, 10, -45, -170 + 1e-7},          // nearly antipodal
        {51.5, -0.12, 51.5 + 1e-7, -0.12},   // about a centimetre apart
        {-33.9, 151.2, -33.9, 151.2 + 1e-8}, // about a millimetre apart
        {12.5, 179.9999, 12.5, -179.9999},   // across the 180th meridian
        {89.9, 0, 89.9, 180},                // over the pole
        {0, 0, 0, 90},
        {47.6, -122.3, 40.7, -74.0},
    };
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180);
    for (int i = 0; i < 40; ++i)
        pairs.push_back({lat(random), lon(random), lat(random), lon(random)});
    return pairs;
}

// Haversine in long double: a different formula, with enough extra precision that it
// serves as reference even near antipodes.
double haversineKm(const Pair& p) {
    using LD = long double;
    const LD rad = std::numbers::pi_v<LD> / 180;
    const LD dphi = (LD(p.lat2) - LD(p.lat1)) * rad;
    const LD dlambda = (LD(p.lon2) - LD(p.lon1)) * rad;
    const LD h = std::sin(dphi / 2) * std::sin(dphi / 2) +
                 std::cos(LD(p.lat1) * rad) * std::cos(LD(p.lat2) * rad) * std::sin(dlambda / 2) *
                     std::sin(dlambda / 2);
    // 2 atan2(sqrt h, sqrt(1 - h)) is the well-conditioned spelling of 2 asin(sqrt h).
    return double(LD(RadiusKm) * 2 * std::atan2(std::sqrt(h), std::sqrt(1 - h)));
}

double modelDistance(const std::shared_ptr<HostMap>& map, const Pair& p) {
    return map->Distance(map->GetLocation(p.lat1, p.lon1, 0), map->GetLocation(p.lat2, p.lon2, 0));
}

// absoluteKm: the reference's own round-off, for distances of a few millimetres.
void expectRelative(double actual, double expected, const Pair& p, double absoluteKm = 1e-15) {
    const double tolerance = 1e-9 * std::abs(expected) + absoluteKm;
    EXPECT_NEAR(actual, expected, tolerance)
        << "(" << p.lat1 << ", " << p.lon1 << ") to (" << p.lat2 << ", " << p.lon2 << ")";
}

TEST(Distance, MatchesGeodSolveOnTheSameSphere) {
    const QString geodSolve = QStandardPaths::findExecutable(QStringLiteral("GeodSolve"));
    if (geodSolve.isEmpty())
        GTEST_SKIP() << "GeodSolve (geographiclib-tools) is not installed";
    const auto pairs = testPairs();
    QString input;
    QTextStream in(&input);
    in.setRealNumberPrecision(17);
    for (const Pair& p : pairs)
        in << p.lat1 << ' ' << p.lon1 << ' ' << p.lat2 << ' ' << p.lon2 << '\n';
    in.flush();
    QProcess process;
    // Inverse problem on a sphere of the mean Earth radius, distances to 1e-10 m.
    process.start(geodSolve,
                  {QStringLiteral("-i"), QStringLiteral("-e"), QStringLiteral("6371008.8"),
                   QStringLiteral("0"), QStringLiteral("-p"), QStringLiteral("10")});
    ASSERT_TRUE(process.waitForStarted());
    process.write(input.toUtf8());
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), qsizetype(pairs.size()));

    auto map = HostMap::create();
    map->SetUnits(mappoint::geoKilometers);
    for (size_t i = 0; i < pairs.size(); ++i) {
        const QStringList columns = lines[qsizetype(i)].split(' ', Qt::SkipEmptyParts);
        ASSERT_EQ(columns.size(), 3) << lines[qsizetype(i)].toStdString();
        const double expectedKm = columns[2].toDouble() / 1000.0;
        // GeodSolve's own accuracy is about a nanometre: below a metre or so that is
        // more than 1e-9 relative, so it gets that much absolute slack; the haversine
        // test below holds those pairs to 1e-9 relative.
        expectRelative(modelDistance(map, pairs[i]), expectedKm, pairs[i], 1e-12);
    }
}

TEST(Distance, MatchesHaversineInExtendedPrecision) {
    auto map = HostMap::create();
    map->SetUnits(mappoint::geoKilometers);
    for (const Pair& p : testPairs())
        expectRelative(modelDistance(map, p), haversineKm(p), p);
}

TEST(Distance, FollowsTheMapUnit) {
    auto map = HostMap::create();
    const Pair p{48.85, 2.35, 40.71, -74.0};
    map->SetUnits(mappoint::geoKilometers);
    const double km = modelDistance(map, p);
    map->SetUnits(mappoint::geoMiles);
    EXPECT_EQ(map->Units(), mappoint::geoMiles);
    EXPECT_NEAR(modelDistance(map, p), km / 1.609344, 1e-9 * km);
    EXPECT_THROW(map->SetUnits(static_cast<mappoint::GeoUnits>(7)), automation::Error);
}

TEST(Distance, IsZeroForOnePointAndSymmetric) {
    auto map = HostMap::create();
    const Pair p{-12.3, 45.6, 78.9, -101.1};
    EXPECT_EQ(modelDistance(map, {p.lat1, p.lon1, p.lat1, p.lon1}), 0.0);
    EXPECT_EQ(modelDistance(map, p), modelDistance(map, {p.lat2, p.lon2, p.lat1, p.lon1}));
    // The same meridian spelled as -180 and 180.
    EXPECT_NEAR(modelDistance(map, {10, -180, 10, 180}), 0.0, 1e-12);
}

TEST(Distance, NeedsLocationsOfTheHost) {
    auto map = HostMap::create();
    EXPECT_THROW(map->Distance(nullptr, map->GetLocation(0, 0, 0)), automation::Error);
}

TEST(GetLocation, ChecksItsRanges) {
    auto map = HostMap::create();
    EXPECT_NO_THROW(map->GetLocation(90, 180, 0));
    EXPECT_NO_THROW(map->GetLocation(-90, -180, 24854));
    EXPECT_NO_THROW(map->GetLocation(0, 0, 1));
    const double bad[][3] = {{90.000001, 0, 0}, {-90.5, 0, 0},    {0, 180.000001, 0}, {0, -181, 0},
                             {NAN, 0, 0},       {0, INFINITY, 0}, {0, 0, -1},         {0, 0, 0.5},
                             {0, 0, 24854.01},  {0, 0, NAN}};
    for (const auto& b : bad) {
        try {
            map->GetLocation(b[0], b[1], b[2]);
            ADD_FAILURE() << "accepted " << b[0] << ", " << b[1] << ", " << b[2];
        } catch (const automation::Error& e) {
            EXPECT_EQ(e.number(), automation::errors::InvalidArgument);
        }
    }
}

} // namespace
