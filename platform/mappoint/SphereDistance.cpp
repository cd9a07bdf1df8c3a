#include "SphereDistance.h"

#include <cmath>
#include <numbers>

namespace mappoint::sphere {

namespace {
constexpr double Rad = std::numbers::pi / 180.0;
} // namespace

Point Point::at(double latitude, double longitude) {
    const double phi = latitude * Rad;
    return {latitude, longitude, std::sin(phi), std::cos(phi)};
}

bool validLatLon(double latitude, double longitude) {
    return std::isfinite(latitude) && std::isfinite(longitude) && latitude >= -90 &&
           latitude <= 90 && longitude >= -180 && longitude <= 180;
}

double centralAngle(const Point& p1, const Point& p2) {
    // Longitude difference reduced to -180..180; both steps are exact in floating point.
    double dLon = p2.longitude - p1.longitude;
    if (dLon > 180)
        dLon -= 360;
    else if (dLon < -180)
        dLon += 360;
    const double halfDLambda = 0.5 * dLon * Rad;
    const double sh = std::sin(halfDLambda), ch = std::cos(halfDLambda);
    const double s1 = p1.sinLatitude, c1 = p1.cosLatitude;
    const double s2 = p2.sinLatitude, c2 = p2.cosLatitude;
    const double sinDLambda = 2 * sh * ch;
    const double oneMinusCosDLambda = 2 * sh * sh;
    // Vincenty: atan2(sqrt((c2 sin dl)^2 + (c1 s2 - s1 c2 cos dl)^2),
    //                 s1 s2 + c1 c2 cos dl),
    // with c1 s2 - s1 c2 cos dl = sin(dphi) + s1 c2 (1 - cos dl) so that nearby points
    // lose nothing to cancellation; the latitude difference is exact in degrees.
    const double a = c2 * sinDLambda;
    const double b = std::sin((p2.latitude - p1.latitude) * Rad) + s1 * c2 * oneMinusCosDLambda;
    const double cosSigma = s1 * s2 + c1 * c2 * (1 - oneMinusCosDLambda);
    return std::atan2(std::sqrt(a * a + b * b), cosSigma);
}

double circumference(GeoUnits units) {
    const double km = 2 * std::numbers::pi * MeanEarthRadiusKm;
    return units == geoKilometers ? km : km / KmPerMile;
}

} // namespace mappoint::sphere
