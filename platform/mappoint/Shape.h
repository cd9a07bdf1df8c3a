#pragma once

#include "MapObject.h"

#include <QString>

namespace mappoint {

// A drawn shape. Type: 1 rectangle, oval or radius circle; 5 freeform polygon;
// 9 drive-time zone; other values (line, text box) are not areas.
class Shape : public MapObject {
public:
    virtual QString Name() = 0;
    virtual void Select() = 0;
    virtual void Delete() = 0;
};

} // namespace mappoint
