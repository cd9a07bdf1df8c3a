#pragma once

#include "HostMap.h"
#include "mappoint/Fields.h"

#include <memory>

namespace maphost {

constexpr PinId NoRecord = UINT32_MAX;

// A dataset's field definitions (record == NoRecord) or one record's fields.
class HostFields : public mappoint::Fields {
public:
    HostFields(std::shared_ptr<HostMap> map, DataSetId dataSet, PinId record)
        : map_(std::move(map)), dataSet_(dataSet), record_(record) {}

    int32_t Count() override;
    mappoint::FieldPtr Item(int32_t index) override;
    mappoint::FieldPtr Item(const QString& name) override;

private:
    std::shared_ptr<HostMap> map_;
    DataSetId dataSet_;
    PinId record_;
};

} // namespace maphost
