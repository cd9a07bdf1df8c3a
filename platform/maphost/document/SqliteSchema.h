#pragma once

#include <QString>

namespace maphost {

// Reading a GeoPackage runs whatever SQL its schema holds: a view can be an endless
// recursive query, and a virtual table can reach other files. This reads the schema of
// the SQLite file at path without running any of it and says why the file must not be
// opened: the first view, or virtual table other than GeoPackage's spatial index (rtree).
// Empty when there is none, and when the file is not SQLite at all (GDAL says so then).
QString unsafeSchemaReason(const QString& path);

} // namespace maphost
