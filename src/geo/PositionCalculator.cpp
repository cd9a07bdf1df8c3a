#include "PositionCalculator.h"

#include "CheckedArithmetic.h"

#include "automation/Error.h"
#include "mappoint/Map.h"

#include <algorithm>
#include <memory>

namespace geo {

namespace {

// The Reference frame: reference locations and the pole-to-pole distance of the map
// it was built for, in that map's unit at the time.
struct ReferenceFrame {
    mappoint::LocationPtr NorthPole; // empty: not built
    mappoint::LocationPtr EquatorWest;
    double PoleToPole = 0;
    double HalfPoleToPole = 0;
    double Pi = 0;

    // What the frame was built for, so a different map, a changed unit or an
    // interrupted build leads to a rebuild.
    std::weak_ptr<mappoint::Map> map;
    mappoint::GeoUnits units = mappoint::geoMiles;
    bool complete = false;
};

ReferenceFrame& frame() {
    static ReferenceFrame f;
    return f;
}

[[noreturn]] void throwNotSet() {
    throw automation::Error(91, QStringLiteral("Object variable or With block variable not set"));
}

bool frameFits(const ReferenceFrame& f, const mappoint::MapPtr& map, mappoint::GeoUnits units) {
    return f.NorthPole && f.complete && f.map.lock() == map && f.units == units;
}

void buildFrame(ReferenceFrame& f, const mappoint::MapPtr& map, mappoint::GeoUnits units) {
    f = ReferenceFrame{};
    f.map = map;
    f.units = units;
    // NorthPole is kept as soon as it is returned: the frame counts as built from here.
    f.NorthPole = map->GetLocation(90, 0, 0);
    f.EquatorWest = map->GetLocation(0, -90, 0);
    {
        const mappoint::LocationPtr south = map->GetLocation(-90, 0, 0);
        f.PoleToPole = map->Distance(f.NorthPole, south);
    }
    CheckedSteps steps;
    f.HalfPoleToPole = steps.div(f.PoleToPole, 2.0);
    steps.raise();
    f.Pi = 3.14159265358979;
    f.complete = true;
}

} // namespace

double ArcCos(const double& x) {
    if (x == 1.0)
        return 0.0;
    CheckedSteps steps;
    const double a = steps.add(steps.mul(steps.neg(x), x), 1.0);
    steps.raise();
    const double s = steps.sqrt(a);
    steps.raise();
    const double ratio = steps.div(steps.neg(x), s);
    steps.raise();
    const double result = steps.add(steps.atan(ratio), steps.mul(2, steps.atan(1.0)));
    steps.raise();
    return result;
}

void CalcLatLon(const mappoint::MapPtr& map, const mappoint::LocationPtr& location,
                double& latitude, double& longitude) {
    if (!map || !location)
        throwNotSet();
    ReferenceFrame& f = frame();
    // One unit read per derivation: distances are only comparable to PoleToPole in
    // the unit the frame was built in.
    const mappoint::GeoUnits units = map->Units();
    if (!frameFits(f, map, units))
        buildFrame(f, map, units);

    CheckedSteps steps;

    // 1. Distance from the north pole.
    const double d1 = map->Distance(f.NorthPole, location);

    // 2. Latitude: multiply, divide, subtract; stored before it is checked.
    const double lat = steps.sub(90, steps.div(steps.mul(d1, 180), f.PoleToPole));
    latitude = lat;
    steps.raise();

    // 3., 4. Distance from the point of the same latitude on the prime meridian.
    double d2 = 0;
    {
        const mappoint::LocationPtr meridianPoint = map->GetLocation(lat, 0, 0);
        d2 = map->Distance(meridianPoint, location);
    }

    // 5. Latitude in radians: divide, then multiply.
    const double phi = steps.mul(steps.div(lat, 180), f.Pi);
    steps.raise();

    // 6. Central angle between the meridian point and the location.
    const double angle =
        steps.div(steps.mul(steps.add(d2, d2), f.Pi), steps.add(f.PoleToPole, f.PoleToPole));
    steps.raise();

    // 7. Cosine of the longitude difference (spherical law of cosines). At a pole every
    // longitude is the same point: take q = 1 (longitude 0) rather than divide by a
    // vanishing cos(phi)^2. Rounding can carry q just past +-1 near the poles and on
    // the 180th meridian; it is clamped back so those points keep their longitude.
    double q = 1.0;
    const double cosPhiSquared = steps.mul(steps.cos(phi), steps.cos(phi));
    steps.raise();
    if (lat < 90 && lat > -90 && cosPhiSquared != 0.0) {
        const double sinPhi = steps.sin(phi);
        q = steps.div(steps.sub(steps.cos(angle), steps.mul(sinPhi, sinPhi)), cosPhiSquared);
        steps.raise();
        q = std::clamp(q, -1.0, 1.0);
    }

    // 8. Unsigned longitude: multiply, then divide; stored before it is checked.
    // ArcCos(-1) is a division by zero in its formula; its limit, a half turn, is 180.
    const double lon = q == -1.0 ? 180.0 : steps.div(steps.mul(ArcCos(q), 180), f.Pi);
    longitude = lon;
    steps.raise();

    // 9., 10. West of the prime meridian when closer to the equator point at 90 W than
    // a quarter circumference. Zero stays zero (no negative zero).
    const double d3 = map->Distance(f.EquatorWest, location);
    if (d3 < f.HalfPoleToPole && longitude != 0.0)
        longitude = -longitude;
}

namespace detail {
void ResetReferenceFrame() {
    frame() = ReferenceFrame{};
}
bool ReferenceFrameBuilt() {
    return static_cast<bool>(frame().NorthPole);
}
} // namespace detail

} // namespace geo
