#pragma once

#include "FaultObject.h"
#include "mappoint/DataSet.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a DataSet: every call is logged and may be made to fail.
class FaultDataSet : public mappoint::DataSet, public FaultObject {
public:
    FaultDataSet(std::shared_ptr<mappoint::DataSet> inner, std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

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

    const std::shared_ptr<mappoint::DataSet>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::DataSet> inner_;
};

} // namespace faults
