#pragma once

#include "Types.h"

namespace mappoint {

// What Map.Selection can hand out: a pushpin or a shape. Type is read late-bound:
// a shape answers, a pushpin has no such property and fails (Error 438).
class MapObject : public automation::Object {
public:
    virtual int32_t Type() = 0;
};

} // namespace mappoint
