#pragma once

#include "mappoint/Fields.h"

#include <memory>
#include <optional>
#include <qgsfeature.h>

namespace qgishost {

class QgisLayer;

// A layer's own fields (not those the auxiliary storage joins in), in field order:
// the definitions, or one feature's values.
class QgisFields : public mappoint::Fields {
public:
    explicit QgisFields(std::shared_ptr<QgisLayer> layer,
                        std::optional<QgsFeature> record = std::nullopt)
        : layer_(std::move(layer)), record_(std::move(record)) {}

    int32_t Count() override;
    mappoint::FieldPtr Item(int32_t index) override;
    mappoint::FieldPtr Item(const QString& name) override;

private:
    std::shared_ptr<QgisLayer> layer_;
    std::optional<QgsFeature> record_;
};

} // namespace qgishost
