#pragma once

#include "CoordinateFormat.h"

#include <QString>

namespace geo {

// What a typed position was understood as: a latitude and a longitude in decimal
// degrees and the notation it was written in, or why it could not be read.
struct ParsedPosition {
    bool ok = false;
    double latitude = 0;
    double longitude = 0;
    // DecimalDegrees for any plain or sexagesimal latitude/longitude pair, UtmUps or
    // Mgrs for a grid reference.
    CoordinateFormat format = CoordinateFormat::DecimalDegrees;
    QString reason;
};

// Reads a position in any of the coordinate formats, as FormatPosition writes them and
// as people type them:
//  - a latitude and a longitude, separated by a comma, a semicolon or white space, in
//    decimal degrees or degrees, minutes and seconds (°, ′, ″, d, ', " or colons), the
//    decimal separator a point or a comma (SplitCoordinatePair tells the commas apart),
//    the hemisphere letters (either case) before or after each number; a letter names
//    the coordinate, so "151E 33.5S" works too;
//  - UTM / UPS: zone with latitude band or hemisphere, easting, northing
//    ("31U 448251 5411932", "33n 513697 8680760", "N 2000000 2000000"; ParseUtmUps);
//  - MGRS with or without spaces ("33X WG 13696 80760"); the centre of the square.
ParsedPosition ParsePosition(const QString& text);

// Examples of the forms ParsePosition reads, for labels.
QString PositionExamples();

} // namespace geo
