#pragma once

#include "FaultObject.h"
#include "mappoint/Map.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Map: every call is logged and may be made to fail.
class FaultMap : public mappoint::Map, public FaultObject {
public:
    FaultMap(std::shared_ptr<mappoint::Map> inner, std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

    mappoint::DataSetsPtr DataSets() override;
    mappoint::PushpinPtr FindPushpin(const QString& name) override;
    mappoint::MapObjectPtr Selection() override;
    double Altitude() override;
    void SetAltitude(double altitude) override;
    mappoint::PushpinPtr AddPushpin(mappoint::LocationPtr atLocation, const QString& name) override;
    mappoint::LocationPtr GetLocation(double latitude, double longitude, double altitude) override;
    double Distance(mappoint::LocationPtr startLocation,
                    mappoint::LocationPtr endLocation) override;
    mappoint::SymbolsPtr Symbols() override;
    mappoint::GeoUnits Units() override;
    void SetUnits(mappoint::GeoUnits units) override;

    const std::shared_ptr<mappoint::Map>& inner() const { return inner_; }

private:
    std::shared_ptr<mappoint::Map> inner_;
};

} // namespace faults
