// The QGIS adapter's contract on layers of this machine: memory layers, and GeoPackage
// files and shapefiles written with GDAL.
#include "QgisContract.h"

#include <qgsvectorlayer.h>

namespace contract {

ContractHost& contractHost() {
    return qgisContractHost(
        {QStringLiteral("MemoryLayer"), QStringLiteral("GeoPackage"), QStringLiteral("Shapefile")},
        [](const QString& storage, const QString& folder, const QString& name,
           const QgsFields& fields, int count, const qgistest::FeatureMaker& make) {
            if (storage == QLatin1String("GeoPackage"))
                return qgistest::geoPackageLayer(folder, name, 4326, fields, count, make);
            if (storage == QLatin1String("Shapefile"))
                return qgistest::shapefileLayer(folder, name, 4326, fields, count, make);
            return qgistest::memoryLayer(name, QStringLiteral("EPSG:4326"), fields, count, make);
        });
}

} // namespace contract
