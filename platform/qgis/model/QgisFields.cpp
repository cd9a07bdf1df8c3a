#include "QgisFields.h"

#include "QgisField.h"
#include "QgisLayer.h"
#include "automation/Error.h"

#include <qgsvectorlayer.h>

namespace qgishost {

int32_t QgisFields::Count() {
    layer_->checked();
    return int32_t(layer_->dataFields().size());
}

mappoint::FieldPtr QgisFields::Item(int32_t index) {
    layer_->checked();
    const QgsAttributeList& fields = layer_->dataFields();
    if (index < 1 || index > fields.size())
        throw automation::Error(automation::errors::ItemNotFound,
                                QStringLiteral("There is no field %1").arg(index));
    const QString name = layer_->checked().fields().at(fields[index - 1]).name();
    return std::make_shared<QgisField>(layer_, name, record_);
}

mappoint::FieldPtr QgisFields::Item(const QString& name) {
    const QgsFields all = layer_->checked().fields();
    for (int i : layer_->dataFields()) {
        if (all.at(i).name() == name)
            return std::make_shared<QgisField>(layer_, name, record_);
    }
    throw automation::Error(automation::errors::ItemNotFound,
                            QStringLiteral("There is no field \"%1\"").arg(name));
}

} // namespace qgishost
