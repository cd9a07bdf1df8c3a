#include "HostPushpin.h"

#include "HostDataSet.h"
#include "HostLocation.h"
#include "MapState.h"
#include "automation/Error.h"

namespace maphost {

int32_t HostPushpin::Type() {
    map_->state().pin(id_);
    throw automation::Error(automation::errors::NotSupported,
                            QStringLiteral("A pushpin has no Type"));
}

QString HostPushpin::Name() {
    return map_->state().pin(id_).name;
}

void HostPushpin::SetName(const QString& name) {
    map_->state().renamePin(id_, name);
}

QString HostPushpin::Note() {
    return map_->state().pin(id_).note;
}

void HostPushpin::SetNote(const QString& note) {
    MapState& s = map_->state();
    PinRecord& p = s.pin(id_);
    if (p.note != note) {
        p.note = note;
        s.contentChanged();
    }
}

mappoint::DataSetPtr HostPushpin::Parent() {
    return map_->dataSetObject(map_->state().pin(id_).dataSet);
}

mappoint::LocationPtr HostPushpin::Location() {
    const PinRecord& p = map_->state().pin(id_);
    return HostLocation::create(map_, p.latitude, p.longitude, 0.0);
}

int16_t HostPushpin::Symbol() {
    return map_->state().pin(id_).symbol;
}

void HostPushpin::SetSymbol(int16_t symbol) {
    map_->state().setPinSymbol(id_, symbol);
}

bool HostPushpin::Highlight() {
    return map_->state().pin(id_).highlight;
}

void HostPushpin::SetHighlight(bool highlight) {
    MapState& s = map_->state();
    PinRecord& p = s.pin(id_);
    if (p.highlight != highlight) {
        p.highlight = highlight;
        s.contentChanged();
    }
}

int HostPushpin::BalloonState() {
    return map_->state().pin(id_).balloonState;
}

void HostPushpin::SetBalloonState(int state) {
    MapState& s = map_->state();
    PinRecord& p = s.pin(id_);
    if (state < mappoint::geoDisplayNone || state > mappoint::geoDisplayBalloon)
        throwInvalidArgument(QStringLiteral("Balloon state %1 is not 0, 1 or 2").arg(state));
    if (p.balloonState != state) {
        p.balloonState = uint8_t(state);
        s.contentChanged();
    }
}

void HostPushpin::Select() {
    MapState& s = map_->state();
    s.pin(id_);
    s.select({MapSelection::Pushpin, id_});
}

void HostPushpin::Delete() {
    map_->state().deletePin(id_);
}

void HostPushpin::MoveTo(mappoint::DataSetPtr dataSet) {
    MapState& s = map_->state();
    s.pin(id_);
    auto* target = dynamic_cast<HostDataSet*>(dataSet.get());
    if (!target || target->map() != map_)
        throwInvalidArgument(QStringLiteral("MoveTo needs a dataset of the same map"));
    s.movePin(id_, target->id());
}

} // namespace maphost
