#include "ViewAltitude.h"

#include "SphereDistance.h"
#include "automation/Error.h"

#include <cmath>

namespace mappoint::altitude {

bool valid(double altitude) {
    return std::isfinite(altitude) && altitude >= Min && altitude <= Max;
}

void check(double altitude) {
    if (!valid(altitude))
        throw automation::Error(
            automation::errors::InvalidArgument,
            QStringLiteral("The altitude must lie between %1 and %2").arg(Min).arg(Max));
}

void checkLocation(double latitude, double longitude, double altitude) {
    if (!sphere::validLatLon(latitude, longitude))
        throw automation::Error(automation::errors::InvalidArgument,
                                QStringLiteral("Latitude must lie between -90 and 90 and "
                                               "longitude between -180 and 180"));
    if (altitude != 0 && !valid(altitude))
        throw automation::Error(
            automation::errors::InvalidArgument,
            QStringLiteral("The altitude must be 0 or lie between %1 and %2").arg(Min).arg(Max));
}

double ofLongitudeSpan(double degrees, GeoUnits units) {
    return degrees / 360.0 * sphere::circumference(units);
}

double longitudeSpan(double altitude, GeoUnits units) {
    return altitude / sphere::circumference(units) * 360.0;
}

} // namespace mappoint::altitude
