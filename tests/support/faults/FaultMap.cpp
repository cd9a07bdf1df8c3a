#include "FaultMap.h"

#include "FaultWrap.h"

namespace faults {

mappoint::DataSetsPtr FaultMap::DataSets() {
    call("Map.DataSets");
    return wrap(inner_->DataSets(), injector_);
}

mappoint::PushpinPtr FaultMap::FindPushpin(const QString& name) {
    call("Map.FindPushpin");
    return wrap(inner_->FindPushpin(name), injector_);
}

mappoint::MapObjectPtr FaultMap::Selection() {
    call("Map.Selection");
    return wrap(inner_->Selection(), injector_);
}

double FaultMap::Altitude() {
    call("Map.Altitude");
    return inner_->Altitude();
}

void FaultMap::SetAltitude(double altitude) {
    call("Map.SetAltitude");
    inner_->SetAltitude(altitude);
}

mappoint::PushpinPtr FaultMap::AddPushpin(mappoint::LocationPtr atLocation, const QString& name) {
    call("Map.AddPushpin");
    return wrap(inner_->AddPushpin(unwrap(atLocation), name), injector_);
}

mappoint::LocationPtr FaultMap::GetLocation(double latitude, double longitude, double altitude) {
    call("Map.GetLocation");
    return wrap(inner_->GetLocation(latitude, longitude, altitude), injector_, {});
}

double FaultMap::Distance(mappoint::LocationPtr startLocation, mappoint::LocationPtr endLocation) {
    call("Map.Distance");
    return inner_->Distance(unwrap(startLocation), unwrap(endLocation));
}

mappoint::SymbolsPtr FaultMap::Symbols() {
    call("Map.Symbols");
    return wrap(inner_->Symbols(), injector_);
}

mappoint::GeoUnits FaultMap::Units() {
    call("Map.Units");
    return inner_->Units();
}

void FaultMap::SetUnits(mappoint::GeoUnits units) {
    call("Map.SetUnits");
    inner_->SetUnits(units);
}

} // namespace faults
