#pragma once

#include "Types.h"

// The map's altitude, as every host defines it: the distance across the visible map's
// width, measured along the equator of the Web-Mercator world (so a view of the whole
// world once is one circumference high), in the map's unit.
namespace mappoint::altitude {

constexpr double Min = 1;
constexpr double Max = 24854;

// Whether SetAltitude takes this value.
bool valid(double altitude);
// Fails with InvalidArgument for a value SetAltitude does not take.
void check(double altitude);
// Fails with InvalidArgument unless GetLocation takes these: latitude -90..90,
// longitude -180..180, altitude 0 (keep the map's) or a valid one.
void checkLocation(double latitude, double longitude, double altitude);

// The altitude of a view whose width spans that many degrees of longitude, and back.
double ofLongitudeSpan(double degrees, GeoUnits units);
double longitudeSpan(double altitude, GeoUnits units);

} // namespace mappoint::altitude
