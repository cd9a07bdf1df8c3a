#pragma once

#include "FaultObject.h"
#include "mappoint/Recordset.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Recordset: every call is logged and may be made to fail.
class FaultRecordset : public mappoint::Recordset, public FaultObject {
public:
    FaultRecordset(std::shared_ptr<mappoint::Recordset> inner,
                   std::shared_ptr<FaultInjector> injector, QStringList owner)
        : FaultObject(std::move(injector)), inner_(std::move(inner)), owner_(std::move(owner)) {}

    bool Eof() override;
    void MoveFirst() override;
    void MoveNext() override;
    mappoint::PushpinPtr Pushpin() override;
    mappoint::LocationPtr Location() override;
    mappoint::FieldsPtr Fields() override;

    const std::shared_ptr<mappoint::Recordset>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::Recordset> inner_;
    QStringList owner_; // names of the dataset/pushpin this came from
};

} // namespace faults
