#include "PushpinActions.h"
#include "PushpinLookup.h"
#include "Required.h"

#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "mappoint/Location.h"
#include "mappoint/Map.h"
#include "mappoint/Pushpin.h"

using locastra::Step;

namespace actions {

void DoubleClickRow(RowActionHost& host) {
    // One map for all rows, attached before the row loop. When no host can be reached
    // there is nothing to show: the double-click ends quietly, like every other
    // pushpin command in that case.
    mappoint::MapPtr map;
    if (!locastra::EndSilentlyOnFailure([&] { map = locastra::AttachActiveMap(); }))
        return;

    const int rowCount = host.rowCount();
    for (int i = 1; i <= rowCount; ++i) {
        if (!host.isRowSelected(i))
            continue;
        const QString text = host.rowText(i);
        mappoint::PushpinPtr pin;
        Step([&] { pin = FindPushpinForRow(map, text); });
        if (pin) {
            Step([&] { Required(pin->Location())->GoTo(); });
            Step([&] { pin->Select(); });
            Step([&] { pin->SetBalloonState(mappoint::geoDisplayBalloon); });
            Step([&] { map->SetAltitude(CloseUpAltitude); });
            return;
        }
        if (SearchPushpinForRow(map, text))
            return;
    }
}

} // namespace actions
