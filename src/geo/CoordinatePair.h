#pragma once

#include <QString>

namespace geo {

// A typed latitude/longitude pair split into its two coordinates, each with a point as
// its decimal separator, or the reason it cannot be split.
struct CoordinatePair {
    QString first;
    QString second;
    QString reason; // empty when split
};

// Splits at a semicolon, a comma or white space. A comma between two digits is a
// decimal comma when something else separates the coordinates ("48,8566 2,3522",
// "48,8566, 2,3522", "48,8566; 2,3522"), and a separator when the text uses decimal
// points ("48.8566,2.3522"). With decimal commas and no other separator the middle one
// of three separates ("48,8566,2,3522"); a lone comma between digits ("48,2") is the
// decimal comma where the user's locale writes one and the separator elsewhere.
CoordinatePair SplitCoordinatePair(const QString& text);

} // namespace geo
