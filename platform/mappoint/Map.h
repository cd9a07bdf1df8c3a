#pragma once

#include "Types.h"

#include <QString>

namespace mappoint {

class Map : public automation::Object {
public:
    virtual DataSetsPtr DataSets() = 0;
    // The first pushpin bearing exactly this name (case-sensitive), in dataset order
    // then record order; empty when none does.
    virtual PushpinPtr FindPushpin(const QString& name) = 0;
    // The selected pushpin or shape; empty when nothing is selected.
    virtual MapObjectPtr Selection() = 0;
    // Eye altitude in the map's distance unit; accepts 1 to 24854, refuses the rest.
    virtual double Altitude() = 0;
    virtual void SetAltitude(double altitude) = 0;
    // Adds a pushpin to the "My Pushpins" dataset (created when missing).
    virtual PushpinPtr AddPushpin(LocationPtr atLocation, const QString& name) = 0;
    // The location at latitude -90..90 and longitude -180..180 (degrees); altitude is
    // the eye altitude at which GoTo shows it (0 keeps the current one).
    virtual LocationPtr GetLocation(double latitude, double longitude, double altitude) = 0;
    // Great-circle distance between two locations on this map, in the map's unit.
    virtual double Distance(LocationPtr startLocation, LocationPtr endLocation) = 0;
    virtual SymbolsPtr Symbols() = 0;
    virtual GeoUnits Units() = 0;
    virtual void SetUnits(GeoUnits units) = 0;
};

} // namespace mappoint
