#pragma once

#include "geo/CoordinateFormat.h"

#include <QString>

namespace actions {

// The position lines of the information text: "Latitude: " and "Longitude: " in the
// format's degree form, joined by the information text's line end, with none after the
// last line. The grid formats keep the As Derived numbers on those two lines and add
// one more, "UTM: " or "MGRS: " with the grid reference (left out when the position has
// none).
QString InformationPositionLines(double latitude, double longitude, geo::CoordinateFormat format);

} // namespace actions
