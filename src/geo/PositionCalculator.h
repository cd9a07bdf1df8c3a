#pragma once

#include "mappoint/Types.h"

// The position calculator: derives latitude and longitude (decimal degrees, north and
// east positive) of a map location from great-circle distances the host measures
// between it and a few reference locations of the same map. Free functions over one
// private Reference frame, built on first use.
namespace geo {

// Derives the position of location (a location of map) into latitude and longitude.
// Errors from the host and arithmetic errors propagate as automation::Error, leaving
// the out-parameters as far as the derivation got:
//  - failure while the frame is built, in the unit read or in the first distance:
//    both unchanged;
//  - from the latitude step on: latitude holds the new value, longitude its old one
//    until the longitude step writes it unsigned; the sign step comes last.
// The frame is rebuilt when map is not the map it was built for, when the map's unit
// changed since, or when an earlier build did not complete.
void CalcLatLon(const mappoint::MapPtr& map, const mappoint::LocationPtr& location,
                double& latitude, double& longitude);

// The arccosine of x in radians (0 to pi). x = 1 gives 0 at once; otherwise
// atan(-x / sqrt(1 - x * x)) + 2 * atan(1). Fails with an arithmetic error for x
// outside -1..1 (square root of a negative number) and for x = -1 (division by zero).
double ArcCos(const double& x);

namespace detail {
// For tests only: forgets the Reference frame, as a fresh load of the add-in would.
void ResetReferenceFrame();
// For tests only: whether the frame currently counts as built.
bool ReferenceFrameBuilt();
} // namespace detail

} // namespace geo
