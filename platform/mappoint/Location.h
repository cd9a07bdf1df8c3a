#pragma once

#include "Types.h"

namespace mappoint {

// A place on a map. It deliberately offers no latitude or longitude.
class Location : public automation::Object {
public:
    // Centres the map on this location (and takes its altitude when it has one).
    virtual void GoTo() = 0;
};

} // namespace mappoint
