#include "FaultPushpin.h"

#include "FaultWrap.h"

namespace faults {

QStringList FaultPushpin::objectNames() {
    return {safeName(inner_)};
}

int32_t FaultPushpin::Type() {
    call("Pushpin.Type");
    return inner_->Type();
}

QString FaultPushpin::Name() {
    call("Pushpin.Name");
    return inner_->Name();
}

void FaultPushpin::SetName(const QString& name) {
    call("Pushpin.SetName");
    inner_->SetName(name);
}

QString FaultPushpin::Note() {
    call("Pushpin.Note");
    return inner_->Note();
}

void FaultPushpin::SetNote(const QString& note) {
    call("Pushpin.SetNote");
    inner_->SetNote(note);
}

mappoint::DataSetPtr FaultPushpin::Parent() {
    call("Pushpin.Parent");
    return wrap(inner_->Parent(), injector_);
}

mappoint::LocationPtr FaultPushpin::Location() {
    call("Pushpin.Location");
    return wrap(inner_->Location(), injector_, objectNames());
}

int16_t FaultPushpin::Symbol() {
    call("Pushpin.Symbol");
    return inner_->Symbol();
}

void FaultPushpin::SetSymbol(int16_t symbol) {
    call("Pushpin.SetSymbol");
    inner_->SetSymbol(symbol);
}

bool FaultPushpin::Highlight() {
    call("Pushpin.Highlight");
    return inner_->Highlight();
}

void FaultPushpin::SetHighlight(bool highlight) {
    call("Pushpin.SetHighlight");
    inner_->SetHighlight(highlight);
}

int FaultPushpin::BalloonState() {
    call("Pushpin.BalloonState");
    return inner_->BalloonState();
}

void FaultPushpin::SetBalloonState(int state) {
    call("Pushpin.SetBalloonState");
    inner_->SetBalloonState(state);
}

void FaultPushpin::Select() {
    call("Pushpin.Select");
    inner_->Select();
}

void FaultPushpin::Delete() {
    call("Pushpin.Delete");
    inner_->Delete();
}

void FaultPushpin::MoveTo(mappoint::DataSetPtr dataSet) {
    call("Pushpin.MoveTo");
    inner_->MoveTo(unwrap(dataSet));
}

} // namespace faults
