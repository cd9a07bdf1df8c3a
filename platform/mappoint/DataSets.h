#pragma once

#include "Types.h"

#include <QString>

namespace mappoint {

// The map's datasets in map order; indices are 1-based.
class DataSets : public automation::Object {
public:
    virtual int32_t Count() = 0;
    // Fails with ItemNotFound when index is out of range.
    virtual DataSetPtr Item(int32_t index) = 0;
    // The first dataset of that exact name; fails with ItemNotFound when none.
    virtual DataSetPtr Item(const QString& name) = 0;
    // A new, empty pushpin dataset at the end of the map order.
    virtual DataSetPtr AddPushpinSet(const QString& name) = 0;
};

} // namespace mappoint
