#pragma once

#include "mappoint/Symbol.h"

#include <memory>

namespace maphost {

class HostMap;

class HostSymbol : public mappoint::Symbol {
public:
    HostSymbol(std::shared_ptr<HostMap> map, int id) : map_(std::move(map)), id_(id) {}

    QString Name() override;
    // Only custom symbols can be renamed.
    void SetName(const QString& name) override;
    int16_t ID() override { return int16_t(id_); }

private:
    std::shared_ptr<HostMap> map_;
    int id_;
};

} // namespace maphost
