#pragma once

#include "HostMap.h"
#include "mappoint/Pushpin.h"

#include <memory>

namespace maphost {

// A handle on one pushpin of a map: cheap to create, every call reads the map.
class HostPushpin : public mappoint::Pushpin {
public:
    HostPushpin(std::shared_ptr<HostMap> map, PinId id) : map_(std::move(map)), id_(id) {}

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

    PinId id() const { return id_; }
    const std::shared_ptr<HostMap>& map() const { return map_; }

private:
    std::shared_ptr<HostMap> map_;
    PinId id_;
};

} // namespace maphost
