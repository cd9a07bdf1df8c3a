#include "HostLocation.h"

#include "MapState.h"

namespace maphost {

void HostLocation::GoTo() {
    MapState& s = map_->state();
    s.setCenter(latitude(), longitude());
    if (altitude_ > 0)
        s.setAltitude(altitude_);
}

} // namespace maphost
