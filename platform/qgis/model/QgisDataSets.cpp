#include "QgisDataSets.h"

#include "QgisErrors.h"
#include "QgisLayer.h"
#include "QgisMap.h"
#include "automation/Error.h"

#include <qgsvectorlayer.h>

namespace qgishost {

int32_t QgisDataSets::Count() {
    return int32_t(map_->pointLayers().size());
}

mappoint::DataSetPtr QgisDataSets::Item(int32_t index) {
    const auto& layers = map_->pointLayers();
    if (index < 1 || size_t(index) > layers.size())
        throw automation::Error(automation::errors::ItemNotFound,
                                QStringLiteral("There is no dataset %1").arg(index));
    return map_->dataSet(layers[size_t(index) - 1]);
}

mappoint::DataSetPtr QgisDataSets::Item(const QString& name) {
    for (const auto& layer : map_->pointLayers()) {
        if (layer->layer() && layer->layer()->name() == name)
            return map_->dataSet(layer);
    }
    throw automation::Error(automation::errors::ItemNotFound,
                            QStringLiteral("There is no dataset \"%1\"").arg(name));
}

mappoint::DataSetPtr QgisDataSets::AddPushpinSet(const QString& name) {
    if (name.trimmed().isEmpty())
        throwInvalidArgument(QStringLiteral("A dataset needs a name"));
    return map_->dataSet(map_->addScratchLayer(name));
}

} // namespace qgishost
