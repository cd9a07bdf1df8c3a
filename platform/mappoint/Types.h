#pragma once

#include "automation/Object.h"

#include <cstdint>
#include <memory>

// The host's automation object model: interfaces only. Every reference is a
// shared pointer; an empty pointer is "Nothing". A failing call throws
// automation::Error.
namespace mappoint {

class Application;
class Map;
class DataSets;
class DataSet;
class Recordset;
class Fields;
class Field;
class Pushpin;
class Location;
class Symbols;
class Symbol;
class Shape;
class MapObject;

using ApplicationPtr = std::shared_ptr<Application>;
using MapPtr = std::shared_ptr<Map>;
using DataSetsPtr = std::shared_ptr<DataSets>;
using DataSetPtr = std::shared_ptr<DataSet>;
using RecordsetPtr = std::shared_ptr<Recordset>;
using FieldsPtr = std::shared_ptr<Fields>;
using FieldPtr = std::shared_ptr<Field>;
using PushpinPtr = std::shared_ptr<Pushpin>;
using LocationPtr = std::shared_ptr<Location>;
using SymbolsPtr = std::shared_ptr<Symbols>;
using SymbolPtr = std::shared_ptr<Symbol>;
using ShapePtr = std::shared_ptr<Shape>;
using MapObjectPtr = std::shared_ptr<MapObject>;

// The map's distance unit.
enum GeoUnits : int { geoMiles = 0, geoKilometers = 1 };

// Pushpin balloon states.
enum GeoBalloonState : int { geoDisplayNone = 0, geoDisplayName = 1, geoDisplayBalloon = 2 };

// Shape types that count as areas for QueryShape.
enum GeoShapeType : int {
    geoAutoShape = 1,    // rectangle, oval, radius circle
    geoLine = 2,         // straight line (not an area)
    geoTextBox = 3,      // text box (not an area)
    geoFreeform = 5,     // freeform polygon
    geoDriveTimeZone = 9 // drive-time zone
};

// Number of the host's built-in pushpin symbols (IDs 0 to 255); custom symbols
// take IDs from this number up.
constexpr int BuiltInSymbolCount = 256;

} // namespace mappoint
