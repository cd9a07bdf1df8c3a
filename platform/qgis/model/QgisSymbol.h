#pragma once

#include "mappoint/Symbol.h"

#include <memory>

namespace qgishost {

class QgisMap;

class QgisSymbol : public mappoint::Symbol {
public:
    QgisSymbol(std::shared_ptr<QgisMap> map, int16_t id) : map_(std::move(map)), id_(id) {}

    QString Name() override;
    void SetName(const QString& name) override;
    int16_t ID() override { return id_; }

private:
    std::shared_ptr<QgisMap> map_;
    int16_t id_;
};

} // namespace qgishost
