#pragma once

#include "Types.h"

#include <QString>

namespace mappoint {

// A record's (or a dataset's) fields, in the dataset's field order; 1-based.
class Fields : public automation::Object {
public:
    virtual int32_t Count() = 0;
    virtual FieldPtr Item(int32_t index) = 0;
    virtual FieldPtr Item(const QString& name) = 0;
};

} // namespace mappoint
