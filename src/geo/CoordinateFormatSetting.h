#pragma once

#include "CoordinateFormat.h"

namespace geo {

// The user's coordinate format, kept in Locastra's per-user settings section under
// "CoordinateFormat". As Derived when nothing (or nothing known) is stored.
CoordinateFormat ChosenCoordinateFormat();
void ChooseCoordinateFormat(CoordinateFormat format);

} // namespace geo
