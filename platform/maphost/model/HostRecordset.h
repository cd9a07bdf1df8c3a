#pragma once

#include "HostMap.h"
#include "mappoint/Recordset.h"

#include <memory>
#include <vector>

namespace maphost {

// A forward walk over a snapshot of pushpin handles, taken when the query ran.
// Pushpins added later are not in it; deleted ones stay in it, and reading them
// fails with ObjectDeleted.
class HostRecordset : public mappoint::Recordset {
public:
    HostRecordset(std::shared_ptr<HostMap> map, std::vector<PinId> records)
        : map_(std::move(map)), records_(std::move(records)) {}

    bool Eof() override { return position_ >= records_.size(); }
    void MoveFirst() override { position_ = 0; }
    void MoveNext() override;
    mappoint::PushpinPtr Pushpin() override;
    mappoint::LocationPtr Location() override;
    mappoint::FieldsPtr Fields() override;

private:
    PinId current();

    std::shared_ptr<HostMap> map_;
    std::vector<PinId> records_;
    size_t position_ = 0;
};

} // namespace maphost
