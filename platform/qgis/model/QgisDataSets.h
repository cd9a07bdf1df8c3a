#pragma once

#include "mappoint/DataSets.h"

#include <memory>

namespace qgishost {

class QgisMap;

// The project's point layers in the Layers panel's order.
class QgisDataSets : public mappoint::DataSets {
public:
    explicit QgisDataSets(std::shared_ptr<QgisMap> map) : map_(std::move(map)) {}

    int32_t Count() override;
    mappoint::DataSetPtr Item(int32_t index) override;
    mappoint::DataSetPtr Item(const QString& name) override;
    // A new memory layer, on top of the Layers panel (drawn above the other layers).
    mappoint::DataSetPtr AddPushpinSet(const QString& name) override;

private:
    std::shared_ptr<QgisMap> map_;
};

} // namespace qgishost
