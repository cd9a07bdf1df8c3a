#pragma once

#include "FaultObject.h"
#include "mappoint/Pushpin.h"

#include <QString>
#include <QVariant>

namespace faults {

// Wraps a Pushpin: every call is logged and may be made to fail.
class FaultPushpin : public mappoint::Pushpin, public FaultObject {
public:
    FaultPushpin(std::shared_ptr<mappoint::Pushpin> inner, std::shared_ptr<FaultInjector> injector)
        : FaultObject(std::move(injector)), inner_(std::move(inner)) {}

    int32_t Type() override;
    QString Name() override;
    void SetName(const QString& name) override;
    QString Note() override;
    void SetNote(const QString& note) override;
    mappoint::DataSetPtr Parent() override;
    mappoint::LocationPtr Location() override;
    int16_t Symbol() override;
    void SetSymbol(int16_t symbol) override;
    bool Highlight() override;
    void SetHighlight(bool highlight) override;
    int BalloonState() override;
    void SetBalloonState(int state) override;
    void Select() override;
    void Delete() override;
    void MoveTo(mappoint::DataSetPtr dataSet) override;

    const std::shared_ptr<mappoint::Pushpin>& inner() const { return inner_; }

private:
    QStringList objectNames() override;
    std::shared_ptr<mappoint::Pushpin> inner_;
};

} // namespace faults
