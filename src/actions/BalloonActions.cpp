#include "PushpinActions.h"
#include "PushpinLookup.h"
#include "Required.h"
#include "RowActionPattern.h"

#include "addin/FailureStyle.h"
#include "mappoint/Location.h"
#include "mappoint/Map.h"
#include "mappoint/Pushpin.h"

using locastra::Step;

namespace actions {

namespace {
void setBalloonForSelectedRows(RowActionHost& host, int balloonState) {
    ForEachSelectedRow(host, [balloonState](RowContext& row) {
        Step([&] { Required(row.pushpin)->Select(); });
        Step([&] { Required(Required(row.pushpin)->Location())->GoTo(); });
        Step([&] { Required(row.pushpin)->SetBalloonState(balloonState); });
        return RowOutcome::NextRow;
    });
}
} // namespace

void ShowInformation(RowActionHost& host) {
    setBalloonForSelectedRows(host, mappoint::geoDisplayBalloon);
}

void ShowNameOnly(RowActionHost& host) {
    setBalloonForSelectedRows(host, mappoint::geoDisplayName);
}

void CloseBalloon(RowActionHost& host) {
    setBalloonForSelectedRows(host, mappoint::geoDisplayNone);
}

void ToggleHighlight(RowActionHost& host) {
    ForEachSelectedRow(host, [](RowContext& row) {
        Step([&] { Required(Required(row.pushpin)->Location())->GoTo(); });
        // A highlight that cannot be read is not toggled.
        Step([&] {
            const mappoint::PushpinPtr pin = Required(row.pushpin);
            pin->SetHighlight(!pin->Highlight());
        });
        Step([&] { Required(row.map)->SetAltitude(CloseUpAltitude); });
        return RowOutcome::NextRow;
    });
}

void DeletePushpin(RowActionHost& host) {
    ForEachSelectedRow(host, [&host](RowContext& row) {
        Step([&] { Required(row.pushpin)->Delete(); });
        host.removeRow(row.row);
        return RowOutcome::EndCommand;
    });
}

} // namespace actions
