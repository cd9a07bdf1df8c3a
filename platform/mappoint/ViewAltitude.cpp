#include "ViewAltitude.h"

#include "SphereDistance.h"

#include <cmath>

namespace mappoint::altitude {

bool valid(double altitude) {
    return std::isfinite(altitude) && altitude >= Min && altitude <= Max;
}

double ofLongitudeSpan(double degrees, GeoUnits units) {
    return degrees / 360.0 * sphere::circumference(units);
}

double longitudeSpan(double altitude, GeoUnits units) {
    return altitude / sphere::circumference(units) * 360.0;
}

} // namespace mappoint::altitude
