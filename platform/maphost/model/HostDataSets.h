#pragma once

#include "mappoint/DataSets.h"

#include <memory>

namespace maphost {

class HostMap;

class HostDataSets : public mappoint::DataSets {
public:
    explicit HostDataSets(std::shared_ptr<HostMap> map) : map_(std::move(map)) {}

    int32_t Count() override;
    mappoint::DataSetPtr Item(int32_t index) override;
    mappoint::DataSetPtr Item(const QString& name) override;
    mappoint::DataSetPtr AddPushpinSet(const QString& name) override;

private:
    std::shared_ptr<HostMap> map_;
};

} // namespace maphost
