#pragma once

#include "HostMap.h"
#include "mappoint/Field.h"

#include <memory>

namespace maphost {

// One field of a dataset definition or of a record (see HostFields).
class HostField : public mappoint::Field {
public:
    HostField(std::shared_ptr<HostMap> map, DataSetId dataSet, PinId record, int index)
        : map_(std::move(map)), dataSet_(dataSet), record_(record), index_(index) {}

    QString Name() override;
    QVariant Value() override;
    QMetaType::Type Type() override;

private:
    std::shared_ptr<HostMap> map_;
    DataSetId dataSet_;
    PinId record_;
    int index_;
};

} // namespace maphost
