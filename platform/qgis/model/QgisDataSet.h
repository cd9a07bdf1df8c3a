#pragma once

#include "mappoint/DataSet.h"

#include <memory>

namespace qgishost {

class QgisLayer;
class QgisMap;

// A point layer of the project.
class QgisDataSet : public mappoint::DataSet {
public:
    QgisDataSet(std::shared_ptr<QgisMap> map, std::shared_ptr<QgisLayer> layer)
        : map_(std::move(map)), layer_(std::move(layer)) {}

    QString Name() override;
    void SetName(const QString& name) override;
    int16_t Symbol() override;
    void SetSymbol(int16_t symbol) override;
    int32_t RecordCount() override;
    mappoint::FieldsPtr Fields() override;
    mappoint::RecordsetPtr QueryAllRecords() override;
    mappoint::RecordsetPtr QueryShape(mappoint::ShapePtr shape) override;
    void ZoomTo() override;
    // Removes the layer from the project; its data source stays as it is.
    void Delete() override;

    const std::shared_ptr<QgisLayer>& layer() const { return layer_; }
    const std::shared_ptr<QgisMap>& map() const { return map_; }

private:
    std::shared_ptr<QgisMap> map_;
    std::shared_ptr<QgisLayer> layer_;
};

} // namespace qgishost
