#pragma once

#include "Types.h"

// Great-circle distance on the sphere of mean Earth radius, the one measure every
// host uses. Angles in degrees.
namespace mappoint::sphere {

constexpr double MeanEarthRadiusKm = 6371.0088;
constexpr double KmPerMile = 1.609344;

// A point with the sine and cosine of its latitude worked out once.
struct Point {
    double latitude;
    double longitude;
    double sinLatitude;
    double cosLatitude;

    static Point at(double latitude, double longitude);
};

// Whether latitude lies in -90..90 and longitude in -180..180 (both finite).
bool validLatLon(double latitude, double longitude);

// Central angle between two points in radians, in Vincenty's atan2 form: accurate
// for near-identical points and for antipodes alike.
double centralAngle(const Point& a, const Point& b);

inline double centralAngle(double lat1, double lon1, double lat2, double lon2) {
    return centralAngle(Point::at(lat1, lon1), Point::at(lat2, lon2));
}

// Great-circle distance in kilometres.
inline double distanceKm(const Point& a, const Point& b) {
    return MeanEarthRadiusKm * centralAngle(a, b);
}

inline double distanceKm(double lat1, double lon1, double lat2, double lon2) {
    return MeanEarthRadiusKm * centralAngle(lat1, lon1, lat2, lon2);
}

// Great-circle distance in the map's unit.
inline double distance(const Point& a, const Point& b, GeoUnits units) {
    const double km = distanceKm(a, b);
    return units == geoMiles ? km / KmPerMile : km;
}

// The equator's length in the given unit.
double circumference(GeoUnits units);

} // namespace mappoint::sphere
