#pragma once

#include "mappoint/Types.h"

#include <QString>

namespace actions {

// The row lookup: the host's exact, case-sensitive FindPushpin with the row text
// unchanged. Empty when the host has no pushpin of that name; host errors propagate.
mappoint::PushpinPtr FindPushpinForRow(const mappoint::MapPtr& map, const QString& rowText);

// The deep search behind the double-click: walks every record of every dataset (map
// order, record order) and acts on the first whose pushpin name, or one of whose field
// values, equals the row text after lower-casing both. A name match centres the map on
// the pushpin, zooms to the close-up altitude and opens its full balloon; a field match
// opens the full balloon, centres, selects and zooms. Every step is guarded: a value
// that cannot be read does not match, a dataset that cannot be queried is passed over.
// Returns whether a match was found.
bool SearchPushpinForRow(const mappoint::MapPtr& map, const QString& rowText);

// The altitude the pushpin actions zoom to, in the map's unit.
constexpr double CloseUpAltitude = 10.0;

} // namespace actions
