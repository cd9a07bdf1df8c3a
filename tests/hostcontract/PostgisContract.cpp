// The QGIS adapter's contract on PostGIS tables of a private server, opened through
// QGIS's PostgreSQL provider: stored in WGS 84 and in Web Mercator, so that every
// position the adapter gives is transformed from the table's SRID.
#include "PostgisServer.h"
#include "QgisContract.h"

namespace contract {

ContractHost& contractHost() {
    return qgisContractHost(
        {QStringLiteral("PostGIS4326"), QStringLiteral("PostGIS3857")},
        [](const QString& storage, const QString&, const QString& name, const QgsFields& fields,
           int count, const qgistest::FeatureMaker& make) {
            static int tables = 0;
            const QString table = QStringLiteral("contract_%1").arg(++tables);
            auto& server = qgistest::PostgisServer::shared();
            server.createPointTable(table, storage.endsWith(QLatin1String("3857")) ? 3857 : 4326,
                                    fields, count, make);
            return server.layer(table, name);
        });
}

} // namespace contract
