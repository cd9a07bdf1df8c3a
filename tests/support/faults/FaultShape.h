#pragma once

#include "FaultObject.h"
#include "mappoint/Shape.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Shape: every call is logged and may be made to fail.
class FaultShape : public mappoint::Shape, public FaultObject {
public:
    FaultShape(std::shared_ptr<mappoint::Shape> inner, std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

    int32_t Type() override;
    QString Name() override;
    void Select() override;
    void Delete() override;

    const std::shared_ptr<mappoint::Shape>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::Shape> inner_;
};

} // namespace faults
