#pragma once

#include <QString>

// GDAL's GPX and KML readers turn coordinates that are not numbers into 0 (or drop the
// waypoint), and its GeoJSON reader ends a text at a NUL character. These read the raw
// file first and say where such a value is, or return an empty string when there is none
// (a file that is not well-formed is left to GDAL to report).
namespace maphost::lenient {

// Every wpt, rtept and trkpt needs a lat and a lon attribute that are numbers.
QString gpxCoordinateProblem(const QString& path);

// Every tuple in a coordinates element needs two or three numbers.
QString kmlCoordinateProblem(const QString& path);

// No NUL byte, and no \u0000 escape in a string.
QString geoJsonNulProblem(const QString& path);

} // namespace maphost::lenient
