#pragma once

#include "mappoint/Field.h"

#include <memory>
#include <optional>
#include <qgsfeature.h>

namespace qgishost {

class QgisLayer;

// One field of a layer, by name; with a feature, that feature's value.
class QgisField : public mappoint::Field {
public:
    QgisField(std::shared_ptr<QgisLayer> layer, QString name, std::optional<QgsFeature> record)
        : layer_(std::move(layer)), name_(std::move(name)), record_(std::move(record)) {}

    QString Name() override;
    // NULL reads as an empty QVariant; whole numbers as LongLong.
    QVariant Value() override;
    QMetaType::Type Type() override;

    // The object model's kind of a QGIS field type.
    static QMetaType::Type typeOf(QVariant::Type type);

private:
    int index() const; // the field's index in the layer now, or ObjectDeleted

    std::shared_ptr<QgisLayer> layer_;
    QString name_;
    std::optional<QgsFeature> record_;
};

} // namespace qgishost
