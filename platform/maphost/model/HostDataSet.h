#pragma once

#include "HostMap.h"
#include "mappoint/DataSet.h"

#include <memory>

namespace maphost {

class HostDataSet : public mappoint::DataSet {
public:
    HostDataSet(std::shared_ptr<HostMap> map, DataSetId id) : map_(std::move(map)), id_(id) {}

    QString Name() override;
    void SetName(const QString& name) override;
    int16_t Symbol() override;
    void SetSymbol(int16_t symbol) override;
    int32_t RecordCount() override;
    mappoint::FieldsPtr Fields() override;
    mappoint::RecordsetPtr QueryAllRecords() override;
    mappoint::RecordsetPtr QueryShape(mappoint::ShapePtr shape) override;
    void ZoomTo() override;
    void Delete() override;

    DataSetId id() const { return id_; }
    const std::shared_ptr<HostMap>& map() const { return map_; }

private:
    std::shared_ptr<HostMap> map_;
    DataSetId id_;
};

} // namespace maphost
