#pragma once

#include "ContractHost.h"
#include "TestLayers.h"

#include <functional>

class QgsVectorLayer;

namespace contract {

// Makes one dataset's point layer, stored the named way (files go into folder): its
// fields and features as given, each point in WGS 84.
using QgisLayerMaker = std::function<QgsVectorLayer*(
    const QString& storage, const QString& folder, const QString& name, const QgsFields& fields,
    int count, const qgistest::FeatureMaker& make)>;

// The contract host on the QGIS adapter, its datasets made by maker.
ContractHost& qgisContractHost(QStringList storages, QgisLayerMaker maker);

} // namespace contract
