#include "ViewCommands.h"

#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "mappoint/Map.h"

#include <algorithm>

namespace tools {

double ZoomedInAltitude(double altitude) {
    // Never below the lowest height: the map refuses less than 1, and a view between
    // 100 and 101 could otherwise never come down.
    if (altitude > ZoomStep)
        return std::max(altitude - ZoomStep, LowestAltitude);
    if (altitude > ZoomInMiddle)
        return ZoomInMiddle;
    return LowestAltitude;
}

void ZoomIn() {
    locastra::EndSilentlyOnFailure([] {
        const mappoint::MapPtr map = locastra::AttachActiveMap();
        map->SetAltitude(ZoomedInAltitude(map->Altitude()));
    });
}

void ZoomOut() {
    // Each step depends on the one before, so a skipped step leaves nothing to do.
    mappoint::MapPtr map;
    if (!locastra::Step([&] { map = locastra::AttachActiveMap(); }))
        return;
    double altitude = 0;
    if (!locastra::Step([&] { altitude = map->Altitude(); }))
        return;
    if (altitude == ZoomOutCeiling)
        return;
    locastra::Step([&] { map->SetAltitude(altitude + ZoomStep); });
}

} // namespace tools
