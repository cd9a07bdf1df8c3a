#pragma once

#include "HostMap.h"
#include "mappoint/Shape.h"

#include <memory>

namespace maphost {

// The object model's Type of a shape kind.
int shapeType(ShapeKind kind);
// Whether QueryShape takes shapes of this kind (Type 1, 5 or 9).
bool isAreaShape(ShapeKind kind);

class HostShape : public mappoint::Shape {
public:
    HostShape(std::shared_ptr<HostMap> map, ShapeId id) : map_(std::move(map)), id_(id) {}

    int32_t Type() override;
    QString Name() override;
    void Select() override;
    void Delete() override;

    ShapeId id() const { return id_; }
    const std::shared_ptr<HostMap>& map() const { return map_; }

private:
    std::shared_ptr<HostMap> map_;
    ShapeId id_;
};

} // namespace maphost
