#pragma once

#include "Types.h"

namespace mappoint {

// A forward walk over a snapshot of a dataset's records: pushpins deleted or
// added during the walk do not disturb it (reading a deleted one fails).
class Recordset : public automation::Object {
public:
    // The object model's EOF; EOF is a C macro, hence the spelling.
    virtual bool Eof() = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    // The current record's pushpin, location and field values; fail at EOF.
    virtual PushpinPtr Pushpin() = 0;
    virtual LocationPtr Location() = 0;
    virtual FieldsPtr Fields() = 0;
};

} // namespace mappoint
