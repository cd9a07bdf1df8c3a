#pragma once

#include "CoordinateFormat.h"

#include <QString>

// Positions (decimal degrees, north and east positive) as text in a coordinate format.
// Decimal fractions take the user's decimal separator. The grid formats go through
// GeographicLib on the WGS 84 ellipsoid; they throw GeographicLib::GeographicErr (a
// std::exception) for a latitude outside -90..90.
namespace geo {

// One coordinate in a degree format: "-122.3493" (As Derived), "-122.349300" (Decimal
// Degrees), "122°20′57.5″W" (Degrees Minutes Seconds), "122°20.958′W" (Degrees Decimal
// Minutes). The grid formats give the As Derived number.
QString FormatLatitude(double latitude, CoordinateFormat format);
QString FormatLongitude(double longitude, CoordinateFormat format);

// The grid reference of a position: "33X 513697 8680760" (UTM / UPS: zone and latitude
// band, easting and northing in whole metres; UPS gives the hemisphere, N or S, alone) or
// "33X WG 13696 80760" (MGRS to 1 m). Any other format is taken as UTM / UPS.
QString FormatGridReference(double latitude, double longitude, CoordinateFormat format);

// The position as one text, as Get Lat/Lon shows it: "47.6205 , -122.3493" for the two
// decimal formats, "51°30′30.0″N 0°07′31.0″W" for the sexagesimal ones, the grid
// reference for UTM / UPS and MGRS.
QString FormatPosition(double latitude, double longitude, CoordinateFormat format);

// The same for pasting into tables: every degree format gives latitude TAB longitude
// (two columns: "51°30′30.0″N\t0°07′31.0″W"), the grid formats their one reference.
QString FormatPositionColumns(double latitude, double longitude, CoordinateFormat format);

} // namespace geo
