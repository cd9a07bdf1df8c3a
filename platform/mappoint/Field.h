#pragma once

#include "Types.h"

#include <QString>
#include <QVariant>

namespace mappoint {

class Field : public automation::Object {
public:
    virtual QString Name() = 0;
    // The record's value; an empty QVariant for a missing value. A field taken from
    // a dataset's definitions (not a record) fails here.
    virtual QVariant Value() = 0;
    // The kind of value the field holds, as declared by its dataset: QString,
    // LongLong, Double, Bool, QDate or QDateTime.
    virtual QMetaType::Type Type() = 0;
};

} // namespace mappoint
