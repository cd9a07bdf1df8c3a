// The QGIS adapter's contract on layers of this machine: memory layers and GeoPackage
// files written with GDAL.
#include "QgisContract.h"

#include <qgsvectorlayer.h>

namespace contract {

ContractHost& contractHost() {
    return qgisContractHost(
        {QStringLiteral("MemoryLayer"), QStringLiteral("GeoPackage")},
        [](const QString& storage, const QString& folder, const QString& name,
           const QgsFields& fields, int count, const qgistest::FeatureMaker& make) {
            return storage == QLatin1String("GeoPackage")
                       ? qgistest::geoPackageLayer(folder, name, 4326, fields, count, make)
                       : qgistest::memoryLayer(name, QStringLiteral("EPSG:4326"), fields, count,
                                               make);
        });
}

} // namespace contract
